// The text of edits and memos and their line interface. Lines are those the box shows: a memo that
// does not scroll sideways wraps its paragraphs at its text width, computed here with the same
// text layout the box uses, so the answer does not depend on the box having been shown.
#include "widgets/layer/edit_control.h"

#include "widgets/layer/accessibility.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/change_notice.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/style_cache.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace qo {
namespace {

constexpr int kDocumentMargin = 4; // the box's document margin

bool Wraps(const ControlPrivate& d) {
    return d.kind == ControlKind::Memo && !(d.style & (ES_AUTOHSCROLL | WS_HSCROLL));
}

int TextWidth(const Control& c) {
    const auto& d = c.d();
    int w = d.bounds.width - 2 * EditFrameWidth(c) - 2 * kDocumentMargin;
    if (d.style & WS_VSCROLL) w -= ScrollBarExtent();
    return std::max(1, w);
}

// Positions in the stored text count a line break as two characters (CR LF); the box counts one.
int ToStored(const ControlPrivate& d, int shown) {
    if (d.kind != ControlKind::Memo) return shown;
    EnsureLines(d.self());
    const QString& text = d.rare().qtext;
    const int n = std::min<int>(shown, static_cast<int>(text.size()));
    return shown + static_cast<int>(std::count(text.begin(), text.begin() + n, QChar('\n')));
}

int ToShown(const ControlPrivate& d, int stored) {
    if (d.kind != ControlKind::Memo) return stored;
    EnsureLines(d.self());
    const QString& text = d.rare().qtext;
    int shown = 0, pos = 0;
    while (shown < text.size() && pos < stored) {
        pos += text.at(shown) == QChar('\n') ? 2 : 1;
        ++shown;
    }
    return shown;
}

void SyncSelectionFromWidget(const ControlPrivate& d, int& start, int& end) {
    if (auto* e = qobject_cast<QLineEdit*>(d.widget.data())) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        const QTextCursor cur = m->textCursor();
        start = cur.selectionStart();
        end = cur.selectionEnd();
    } else {
        start = ToShown(d, d.selStart);
        end = ToShown(d, d.selEnd);
    }
}

} // namespace

QString EditDisplayText(std::string_view cp1251) {
    QString s = ToQString(cp1251);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

std::string EditStoredText(const QString& shown) {
    QString s = shown;
    s.replace(QChar('\n'), QStringLiteral("\r\n"));
    return FromQString(s);
}

void InvalidateLines(const Control& c) {
    if (c.d().rare().linesValid || c.d().rare().linesFrom >= 0) {
        RareState& r = c.d().rareW();
        r.linesValid = false;
        r.linesFrom = -1;
    }
}

void EnsureLines(const Control& c) {
    const auto& d = c.d();
    if (d.rare().linesValid) return;
    RareState& r = d.rareW();
    r.linesValid = true;
    int start = 0;
    if (r.linesFrom >= 0) {
        start = r.linesFrom; // the text and the lines before are as laid out
        r.linesFrom = -1;
    } else {
        r.lines.clear();
        if (d.kind != ControlKind::Memo) {
            r.qtext = ToQString(d.text);
            r.lines.push_back({0, static_cast<int>(r.qtext.size())});
            return;
        }
        r.qtext = EditDisplayText(d.text);
    }
    const bool wraps = Wraps(d);
    const int width = wraps ? TextWidth(c) : 0;
    const QFont& font = FontFor(*d.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    while (true) {
        int end = static_cast<int>(r.qtext.indexOf(QChar('\n'), start));
        const bool last = end < 0;
        if (last) end = static_cast<int>(r.qtext.size());
        const int length = end - start;
        if (!wraps || length == 0) {
            r.lines.push_back({start, length});
        } else {
            QTextLayout layout(r.qtext.mid(start, length), font);
            layout.setTextOption(option);
            layout.beginLayout();
            while (true) {
                QTextLine line = layout.createLine();
                if (!line.isValid()) break;
                line.setLineWidth(width);
                r.lines.push_back({start + line.textStart(), line.textLength()});
            }
            layout.endLayout();
        }
        if (last) break;
        start = end + 1;
    }
}

std::uint32_t EditStylesFor(std::uint32_t options) {
    using namespace edit_option;
    std::uint32_t s = 0;
    const bool multi = options & MultiLine;
    if (!(options & NoHScroll)) s |= (multi ? WS_HSCROLL : 0) | ES_AUTOHSCROLL;
    if (!(options & NoVScroll)) s |= (multi ? WS_VSCROLL : 0) | ES_AUTOVSCROLL;
    if (options & LowerCase) s |= ES_LOWERCASE;
    if (multi) s |= ES_MULTILINE;
    if (options & NoHideSel) s |= ES_NOHIDESEL;
    if (options & OemConvert) s |= ES_OEMCONVERT;
    if (options & Password) s |= ES_PASSWORD;
    if (options & ReadOnly) s |= ES_READONLY;
    if (options & UpperCase) s |= ES_UPPERCASE;
    if (options & WantReturn) s |= ES_WANTRETURN;
    if (options & Number) s |= ES_NUMBER;
    return s;
}

EditControl* EditControl::Create(Control* parent, std::uint32_t options) {
    const bool multi = options & edit_option::MultiLine;
    auto* c = new EditControl(multi ? ControlKind::Memo : ControlKind::Edit, parent);
    auto& d = c->d();
    d.editOptions = options;
    std::uint32_t extra = EditStylesFor(options);
    if (!multi) extra &= ~(WS_HSCROLL | WS_VSCROLL); // never on a one-line edit
    d.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | extra;
    d.bounds = multi ? Rect{0, 0, 185, 89} : Rect{0, 0, 121, 21};
    d.tabNavigates = !(options & edit_option::KeepTab);
    d.cursor = 0;
    if (parent && parent->d().clientEdge) {
        d.clientEdge = true;
        d.exStyle |= WS_EX_CLIENTEDGE;
        d.style &= ~WS_BORDER;
    }
    RealiseLater(*c);
    return c;
}

std::uint32_t EditControl::editOptions() const {
    return d().editOptions;
}

int EditControl::lineCount() const {
    EnsureLines(*this);
    return static_cast<int>(d().rare().lines.size());
}

std::string EditControl::line(int index) const {
    EnsureLines(*this);
    if (index < 0 || index >= static_cast<int>(d().rare().lines.size())) return {};
    const LineSpan s = d().rare().lines[static_cast<std::size_t>(index)];
    return FromQString(d().rare().qtext.mid(s.start, s.length));
}

void EditControl::appendText(std::string_view text) {
    auto& d = this->d();
    // A line break split between the old text and the new would be read as two: written whole.
    if (d.kind != ControlKind::Memo || text.empty() || (!d.text.empty() && d.text.back() == '\r')) {
        std::string all = d.text;
        all.append(text);
        setText(all);
        return;
    }
    // A list growing a line at a time: the box takes the new text at its end and only the last
    // paragraph is laid out again, so a hundred lines are not a hundred times the whole text.
    // What shows is as after setText: the caret at the start, the first line on top.
    const QString shown = EditDisplayText(text);
    d.text.append(text);
    NoteContentChange(*this, ContentChange::Text);
    AccessibleTextChanged(*this);
    if (d.rare().linesValid || d.rare().linesFrom >= 0) {
        RareState& r = d.rareW();
        if (r.linesValid) {
            const int last = static_cast<int>(r.qtext.lastIndexOf(QChar('\n'))) + 1;
            while (!r.lines.empty() && r.lines.back().start >= last)
                r.lines.pop_back();
            r.linesValid = false;
            r.linesFrom = last;
        }
        r.qtext += shown;
    }
    d.selStart = d.selEnd = 0;
    if (d.rare().firstLine != 0) d.rareW().firstLine = 0;
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        d.settingText = true;
        QTextCursor end(m->document());
        end.movePosition(QTextCursor::End);
        end.insertText(shown);
        m->setTextCursor(QTextCursor(m->document()));
        ApplyFirstLine(*this);
        d.settingText = false;
    } else {
        ApplyText(*this);
    }
}

void EditControl::prependText(std::string_view text) {
    if (text.empty()) return;
    auto& d = this->d();
    d.text.insert(0, text);
    NoteContentChange(*this, ContentChange::Text);
    InvalidateLines(*this);
    AccessibleTextChanged(*this);
    const int shift = static_cast<int>(text.size());
    d.selStart += shift;
    d.selEnd += shift;
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        d.settingText = true;
        QTextCursor start(m->document());
        start.insertText(d.kind == ControlKind::Memo ? EditDisplayText(text) : ToQString(text));
        d.settingText = false;
    } else if (d.widget) {
        ApplyText(*this);
    }
}

void EditControl::clear() {
    setText({});
}

void TextChangedByUser(Control& c, const QString& shown) {
    auto& d = c.d();
    d.text = d.kind == ControlKind::Memo ? EditStoredText(shown) : FromQString(shown);
    NoteContentChange(c, ContentChange::Text);
    InvalidateLines(c);
    AccessibleTextChanged(c);
    CallHandler(d.on().onChange);
}

void EditControl::replaceSelection(std::string_view text) {
    auto& d = this->d();
    const QString insert = d.kind == ControlKind::Memo ? EditDisplayText(text) : ToQString(text);
    DeliveryScope scope;
    if (auto* e = qobject_cast<QLineEdit*>(d.widget.data())) {
        d.settingText = true;
        e->insert(insert);
        d.settingText = false;
        TextChangedByUser(*this, e->text());
        return;
    }
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        d.settingText = true;
        m->insertPlainText(insert);
        d.settingText = false;
        TextChangedByUser(*this, m->toPlainText());
        return;
    }
    EnsureLines(*this);
    int start = ToShown(d, d.selStart), end = ToShown(d, d.selEnd);
    if (start > end) std::swap(start, end);
    QString shown = d.rare().qtext;
    shown.replace(start, end - start, insert);
    const int caretShown = start + static_cast<int>(insert.size());
    d.rareW().qtext = shown;
    TextChangedByUser(*this, shown);
    d.selStart = d.selEnd = ToStored(d, caretShown);
}

int EditControl::caret() const {
    const auto& d = this->d();
    if (!d.widget) return std::min(d.selStart, d.selEnd);
    int start = 0, end = 0;
    SyncSelectionFromWidget(d, start, end);
    return ToStored(d, start);
}

void EditControl::setSelection(int start, int end) {
    auto& d = this->d();
    const int length = static_cast<int>(d.text.size());
    if (start < 0) start = 0;
    if (end < 0 || end > length) end = length;
    start = std::min(start, length);
    d.selStart = start;
    d.selEnd = end;
    const int s = ToShown(d, start), e = ToShown(d, end);
    if (auto* le = qobject_cast<QLineEdit*>(d.widget.data())) {
        if (s == e)
            le->setCursorPosition(s);
        else
            le->setSelection(s, e - s);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        QTextCursor cur = m->textCursor();
        cur.setPosition(s);
        cur.setPosition(e, QTextCursor::KeepAnchor);
        m->setTextCursor(cur);
    }
}

void EditControl::setCaretToLine(int line) {
    EnsureLines(*this);
    if (line < 0 || line >= static_cast<int>(d().rare().lines.size())) return;
    setCaret(ToStored(d(), d().rare().lines[static_cast<std::size_t>(line)].start));
}

void EditControl::limitText(int maxChars) {
    d().limit = maxChars;
    ApplyStyles(*this);
}
int EditControl::textLimit() const {
    return d().limit;
}

void EditControl::scrollLines(int lines) {
    auto& d = this->d();
    if (d.kind != ControlKind::Memo) return;
    const int last = std::max(0, lineCount() - 1);
    d.rareW().firstLine = std::clamp(d.rareW().firstLine + lines, 0, last);
    ApplyFirstLine(*this);
}

int EditControl::firstVisibleLine() const {
    return d().rare().firstLine;
}

} // namespace qo
