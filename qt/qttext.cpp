#include "tolvex/qt/qttext.h"

#include <algorithm>

namespace tolvex::qt {

QString ToQString(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromQString(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString ToDocumentText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return ToQString(out);
}

std::string FromDocumentText(const QString& text) {
    std::string out;
    const std::string plain = FromQString(text);
    out.reserve(plain.size());
    for (char c : plain) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

TQtLineBreaks::TQtLineBreaks(const QString& plainText) {
    for (qsizetype i = 0; i < plainText.size(); ++i)
        if (plainText[i] == QLatin1Char('\n')) breaks_.push_back(static_cast<int>(i));
}

int TQtLineBreaks::BreaksBefore(int position) const {
    return static_cast<int>(std::lower_bound(breaks_.begin(), breaks_.end(), position) - breaks_.begin());
}

int TQtLineBreaks::ToDocument(int position) const {
    // The k-th break (from 0) takes framework positions breaks_[k] + k (CR) and one more (LF).
    int low = 0, high = static_cast<int>(breaks_.size());
    while (low < high) {  // low: the breaks that end at or before `position`
        const int mid = (low + high) / 2;
        if (breaks_[static_cast<std::size_t>(mid)] + mid + 2 <= position)
            low = mid + 1;
        else
            high = mid;
    }
    const bool insideBreak = low < static_cast<int>(breaks_.size()) && position == breaks_[static_cast<std::size_t>(low)] + low + 1;
    return insideBreak ? breaks_[static_cast<std::size_t>(low)] : position - low;
}

int TQtLineBreaks::FromDocument(int position) const { return position + BreaksBefore(position); }

bool TQtLineBreaks::IsBreak(int position) const {
    const int document = ToDocument(position);
    return std::binary_search(breaks_.begin(), breaks_.end(), document);
}

}  // namespace tolvex::qt
