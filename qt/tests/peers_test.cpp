// The Qt text peers against the headless one: the same operations must leave the same text,
// selection and character attributes, whatever widget holds them.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <random>

#include "tolvex/qt/qtdocumentpeer.h"
#include "tolvex/qt/qtlineeditpeer.h"
#include "tolvex/qt/qttext.h"
#include "suites.h"

namespace tolvex::qt::test {

namespace {

TCharAttributes Attributes(const char* name, int height, TColor color, TFontStyles style) {
    return TCharAttributes{name, height, color, style};
}

const TCharAttributes kPlain = Attributes("Default", -12, clBlack, {});
const TCharAttributes kResult = Attributes("Default", -12, clBlue, {fsBold});
const TCharAttributes kError = Attributes("Mono", 14, clRed, {fsBold, fsItalic, fsUnderline, fsStrikeOut});

// The observable state of a peer, compared after every step.
struct State {
    std::string text;
    int selStart, selLength;
    TCharAttributes selAttributes;
    std::vector<TCharAttributes> attributes;  // one per character, and one past each end
    bool operator==(const State&) const = default;
};

State Observe(const TTextPeer& peer) {
    State state{peer.Text(), peer.SelStart(), peer.SelLength(), peer.SelAttributes(), {}};
    for (int i = -1; i <= static_cast<int>(state.text.size()); ++i) state.attributes.push_back(peer.AttributesAt(i));
    return state;
}

QString Describe(const State& s) {
    QString text = ToQString(s.text);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("\"") + text + QStringLiteral("\" selection ") + QString::number(s.selStart) + QLatin1Char('+') +
           QString::number(s.selLength) + QStringLiteral(" colour ") + QString::number(s.selAttributes.color, 16);
}

using Step = std::function<void(TTextPeer&)>;

// Framework positions that are not inside a CR LF (controls never place the caret there).
std::vector<int> Boundaries(const std::string& text) {
    std::vector<int> out;
    for (int i = 0; i <= static_cast<int>(text.size()); ++i)
        if (i == 0 || text[static_cast<std::size_t>(i) - 1] != '\r') out.push_back(i);
    return out;
}

// A reproducible mix of the operations the controls perform.
std::vector<std::pair<QString, Step>> RandomSteps(unsigned seed, int count) {
    std::mt19937 random(seed);
    const std::string pieces[] = {"a", "1+2", "\r\n", "x=5\r\n", "", "\r\n\r\n", "long line of text"};
    const TCharAttributes looks[] = {kPlain, kResult, kError};
    std::vector<std::pair<QString, Step>> steps;
    for (int n = 0; n < count; ++n) {
        const unsigned kind = random() % 5;
        const unsigned a = random(), b = random();
        const std::string& piece = pieces[a % std::size(pieces)];
        const TCharAttributes& look = looks[b % std::size(looks)];
        switch (kind) {
            case 0:
                steps.emplace_back(QStringLiteral("replace"), [piece](TTextPeer& p) { p.ReplaceSelection(piece); });
                break;
            case 1:
                steps.emplace_back(QStringLiteral("select"), [a, b](TTextPeer& p) {
                    const std::vector<int> at = Boundaries(p.Text());
                    const int start = at[a % at.size()];
                    const int end = at[std::max<std::size_t>(a % at.size(), b % at.size())];
                    p.SetSelection(start, b % 4 == 0 ? 0 : end - start);
                });
                break;
            case 2:
                steps.emplace_back(QStringLiteral("attributes"), [look](TTextPeer& p) { p.SetSelAttributes(look); });
                break;
            case 3:
                steps.emplace_back(QStringLiteral("caret to end"), [](TTextPeer& p) { p.SetSelection(static_cast<int>(p.Text().size()), 0); });
                break;
            default:
                if (a % 8 == 0)
                    steps.emplace_back(QStringLiteral("set text"), [piece](TTextPeer& p) { p.SetText(piece + "\r\nend"); });
                else
                    steps.emplace_back(QStringLiteral("replace"), [piece](TTextPeer& p) { p.ReplaceSelection(piece); });
        }
    }
    return steps;
}

}  // namespace

class TextPeersTest : public QObject {
    Q_OBJECT

private:
    // Runs `steps` on a headless peer and on `peer`, comparing the two after each.
    static void Compare(TTextPeer& peer, const std::vector<std::pair<QString, Step>>& steps) {
        THeadlessTextPeer headless;
        for (TTextPeer* p : {static_cast<TTextPeer*>(&headless), &peer}) {
            p->SetDefaultAttributes(kPlain);
            p->SetText("");
        }
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].second(headless);
            steps[i].second(peer);
            const State expected = Observe(headless), actual = Observe(peer);
            if (!(expected == actual))
                QFAIL(qPrintable(QStringLiteral("step ") + QString::number(i) + QStringLiteral(" (") + steps[i].first +
                                 QStringLiteral("): expected ") + Describe(expected) + QStringLiteral(", got ") +
                                 Describe(actual)));
        }
    }

private slots:
    void LineBreakPositions() {
        // "ab\ncd\n\nx" in a document is "ab\r\ncd\r\n\r\nx" to the framework.
        const TQtLineBreaks breaks(QStringLiteral("ab\ncd\n\nx"));
        const struct {
            int framework, document;
            bool isBreak;
        } rows[] = {{0, 0, false}, {2, 2, true},  {3, 2, true},  {4, 3, false}, {6, 5, true},
                    {7, 5, true},  {8, 6, true},  {9, 6, true},  {10, 7, false}, {11, 8, false}};
        for (const auto& row : rows) {
            QCOMPARE(breaks.ToDocument(row.framework), row.document);
            QCOMPARE(breaks.IsBreak(row.framework), row.isBreak);
            if (row.framework != 3 && row.framework != 7 && row.framework != 9)
                QCOMPARE(breaks.FromDocument(row.document), row.framework);
        }
        QCOMPARE(FromDocumentText(QStringLiteral("a\n\nb")), std::string("a\r\n\r\nb"));
        QCOMPARE(ToDocumentText("a\r\n\rb\nc"), QStringLiteral("a\n\nb\nc"));
        // Every byte is one character, also outside ASCII.
        QCOMPARE(FromQString(ToQString("\xe9\xff")), std::string("\xe9\xff"));
    }

    void AttributesSurviveTheDocument() {
        TQtDocumentPeer<QTextEdit> peer(new QTextEdit);
        for (const TCharAttributes& look : {kPlain, kResult, kError, Attributes("", 0, 0x123456, {})}) {
            peer.SetText("abc");
            peer.SetSelection(0, 3);
            peer.SetSelAttributes(look);
            QCOMPARE(peer.AttributesAt(1), look);
        }
    }

    // The transcript of a rich edit: lines added at the end, coloured, caret put back.
    void DocumentPeersFollowTheTranscriptSteps() {
        const std::vector<std::pair<QString, Step>> steps = {
            {"type", [](TTextPeer& p) { p.ReplaceSelection("1+2"); }},
            {"add line", [](TTextPeer& p) { p.SetSelection(3, 0); p.ReplaceSelection("\r\n3"); }},
            {"select it", [](TTextPeer& p) { p.SetSelection(5, 1); }},
            {"colour it", [](TTextPeer& p) { p.SetSelAttributes(kResult); }},
            {"caret to end", [](TTextPeer& p) { p.SetSelection(6, 0); }},
            {"typing look", [](TTextPeer& p) { p.SetSelAttributes(kPlain); }},
            {"fresh line", [](TTextPeer& p) { p.SetSelection(6, 0); p.ReplaceSelection("\r\n"); }},
            {"typing look again", [](TTextPeer& p) { p.SetSelAttributes(kPlain); }},
            {"caret to line start", [](TTextPeer& p) { p.SetSelection(5, 0); }},
            {"select across lines", [](TTextPeer& p) { p.SetSelection(2, 4); }},
            {"error look", [](TTextPeer& p) { p.SetSelAttributes(kError); }},
            {"replace across lines", [](TTextPeer& p) { p.ReplaceSelection("x\r\ny"); }},
        };
        // The peers own their widgets.
        TQtDocumentPeer<QPlainTextEdit> plainPeer(new QPlainTextEdit);
        Compare(plainPeer, steps);
        TQtDocumentPeer<QTextEdit> richPeer(new QTextEdit);
        Compare(richPeer, steps);
    }

    void DocumentPeersMatchOnRandomEdits() {
        for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
            TQtDocumentPeer<QTextEdit> peer(new QTextEdit);
            Compare(peer, RandomSteps(seed, 150));
        }
    }

    void LineEditPeerKeepsTextAndSelection() {
        auto* widget = new QLineEdit;
        widget->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), widget));
        TQtLineEditPeer peer(widget, widget);
        peer.SetText("1+2");
        peer.SetSelection(1, 1);
        peer.ReplaceSelection("*10*");  // text set by code is not held to what the user may type
        QCOMPARE(widget->text(), QStringLiteral("1*10*2"));
        QCOMPARE(peer.SelStart(), 5);
        QCOMPARE(peer.SelLength(), 0);
        peer.SetSelection(2, 99);
        QCOMPARE(widget->selectedText(), QStringLiteral("10*2"));
        QCOMPARE(peer.SelStart(), 2);
        QCOMPARE(peer.SelLength(), 4);
        peer.SetText("abc");
        QCOMPARE(peer.SelStart(), 0);
        QCOMPARE(peer.SelLength(), 0);
    }

    void PeerOutlivesItsWidget() {
        auto* window = new QWidget;
        TQtDocumentPeer<QTextEdit> peer(new QTextEdit(window));
        peer.SetText("kept?");
        delete window;  // the window takes the widget with it
        QCOMPARE(peer.Text(), std::string());
        peer.ReplaceSelection("still works");
        QCOMPARE(peer.Text(), std::string("still works"));
    }
};

std::unique_ptr<QObject> NewTextPeersTest() { return std::make_unique<TextPeersTest>(); }

}  // namespace tolvex::qt::test

#include "peers_test.moc"
