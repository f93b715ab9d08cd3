#include "common/ui/FilteredLineEdit.h"
#include "common/AppState.h"
#include "common/InsertionFilter.h"
#include "common/KeyFilter.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

namespace durvek {

namespace {

bool hasControlKey(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return isControlKey(c); });
}

// Ctrl or Meta chords are shortcuts, not typing; Ctrl+Alt is AltGr on some keyboards.
bool isShortcutChord(Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & (Qt::ControlModifier | Qt::MetaModifier);
    return control && !(modifiers & Qt::AltModifier);
}

// The standard menu's Paste action: named in newer Qt versions, otherwise
// known by the (translated) caption Qt gives it.
QAction* standardPasteAction(QMenu* menu)
{
    const QString caption = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QStringLiteral("edit-paste") || action->text().startsWith(caption))
            return action;
    }
    return nullptr;
}

} // namespace

FilteredLineEdit::FilteredLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

FilteredLineEdit::FilteredLineEdit(const QString& keyMask, QWidget* parent)
    : QLineEdit(parent)
    , m_keyMask(keyMask)
{
}

QChar FilteredLineEdit::decimalSeparator() const
{
    return m_decimalSeparator.isNull() ? appState().decimalSeparator : m_decimalSeparator;
}

QString FilteredLineEdit::filtered(const QString& inserted) const
{
    const QString current = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    return filterInsertion(current, m_keyMask, inserted, start, length, decimalSeparator());
}

void FilteredLineEdit::insertFiltered(const QString& text)
{
    if (isReadOnly())
        return;
    const QString survivors = filtered(text);
    if (!survivors.isEmpty())
        insert(survivors);
}

void FilteredLineEdit::paste()
{
    insertFiltered(QApplication::clipboard()->text(QClipboard::Clipboard));
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || hasControlKey(typed) || isShortcutChord(event->modifiers()) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString survivors = filtered(typed);
    if (survivors == typed) {
        QLineEdit::keyPressEvent(event);
    } else {
        // Refused, or turned into another character: the event's own text must not go in.
        if (!survivors.isEmpty())
            insert(survivors);
        event->accept();
    }
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard Paste would insert the clipboard unfiltered.
    if (QAction* pasteAction = standardPasteAction(menu)) {
        disconnect(pasteAction, &QAction::triggered, nullptr, nullptr);
        connect(pasteAction, &QAction::triggered, this, &FilteredLineEdit::paste);
    }
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly() && rect().contains(event->position().toPoint())) {
            deselect();
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            insertFiltered(clipboard->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::dropEvent(QDropEvent* event)
{
    // Moving text within the field brings in nothing new.
    if (event->source() == this || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertFiltered(event->mimeData()->text());
    setFocus(Qt::MouseFocusReason);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString survivors = filtered(commit);
    if (survivors == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent replaced(event->preeditString(), event->attributes());
    replaced.setCommitString(survivors, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&replaced);
    event->accept();
}

} // namespace durvek
