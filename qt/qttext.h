#pragma once
// Text between the framework and Qt. The framework's strings are 8-bit, one byte a character, so
// they travel as Latin-1: every byte is one QChar and character positions agree. Multi-line
// controls keep a line break as CR LF, where a Qt document has one character; TQtLineBreaks
// turns positions from one counting into the other.
#include <string>
#include <vector>

#include <QString>

namespace tolvex::qt {

QString ToQString(const std::string& text);
// Characters outside Latin-1 (typed by the user) become '?'.
std::string FromQString(const QString& text);

// A framework text with every line break (CR LF, lone CR or LF) as one '\n', as a document holds it.
QString ToDocumentText(const std::string& text);
// A document's plain text with every '\n' as CR LF.
std::string FromDocumentText(const QString& text);

// Where the line breaks of a document's plain text lie.
class TQtLineBreaks {
public:
    explicit TQtLineBreaks(const QString& plainText);
    // The document position of a framework position; a position inside a CR LF counts as the
    // break's start.
    int ToDocument(int position) const;
    // The framework position of a document position.
    int FromDocument(int position) const;
    // Whether the framework position falls on a line break (its CR or its LF).
    bool IsBreak(int position) const;

private:
    // Breaks before document position `position`.
    int BreaksBefore(int position) const;
    std::vector<int> breaks_;  // document positions of the '\n', ascending
};

}  // namespace tolvex::qt
