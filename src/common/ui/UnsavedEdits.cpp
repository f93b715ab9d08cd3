#include "common/ui/UnsavedEdits.h"
#include "common/TextCatalogue.h"
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

namespace durvek {

namespace {

constexpr int kCloseWithoutStoringText = 140;

class EscapeGuard : public QObject {
public:
    EscapeGuard(QDialog* window, std::function<bool()> unsaved)
        : QObject(window), window_(window), unsaved_(std::move(unsaved))
    {
    }

    // Sees the Escape that no control of the window took for itself, and
    // every request to close the window (close(), the window's close box).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_)
            return false;
        if (event->type() == QEvent::Close) {
            if (!window_->isVisible() || escapeMayClose(window_, unsaved_ && unsaved_()))
                return false;
            event->ignore();
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        return !escapeMayClose(window_, unsaved_ && unsaved_());
    }

private:
    QDialog* window_;
    std::function<bool()> unsaved_;
};

} // namespace

bool hasUnsavedEdits(const QWidget* root)
{
    const QList<QLineEdit*> boxes = root->findChildren<QLineEdit*>();
    return std::any_of(boxes.begin(), boxes.end(), [](const QLineEdit* box) { return box->isModified(); });
}

void markEditsStored(QWidget* root)
{
    for (QLineEdit* box : root->findChildren<QLineEdit*>())
        box->setModified(false);
}

bool confirmCloseWithoutStoring(QWidget* window)
{
    return QMessageBox::question(window, window->windowTitle(), GetText(kCloseWithoutStoringText) + QStringLiteral(" ?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace durvek

namespace durvek {

bool escapeMayClose(QWidget* window, bool unsaved)
{
    return !unsaved || confirmCloseWithoutStoring(window);
}

void askBeforeEscapeCloses(QDialog* window, std::function<bool()> unsaved)
{
    window->installEventFilter(new EscapeGuard(window, std::move(unsaved)));
}

} // namespace durvek
