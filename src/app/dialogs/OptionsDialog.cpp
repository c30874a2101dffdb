#include "app/dialogs/OptionsDialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace splot {

namespace {
Qt::WindowFlags flagsFor(OptionsDialog::Kind kind) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (kind == OptionsDialog::Kind::Modeless)
        flags |= Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint;
    return flags;
}
} // namespace

OptionsDialog::OptionsDialog(QWidget* parent, DialogFacade& facade, const char* objectName,
                             const QString& caption, Kind kind)
    : QDialog(parent, flagsFor(kind)), facade_(facade) {
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);
    setModal(kind == Kind::Modal);
}

QPushButton* OptionsDialog::makeButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept(); // no default button, no cancel button
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void OptionsDialog::hideEvent(QHideEvent* event) {
    leftAt_ = pos();
    QDialog::hideEvent(event);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (leftAt_)
        move(*leftAt_);
}

} // namespace splot
