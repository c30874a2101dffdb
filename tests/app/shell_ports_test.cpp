// The shell's real ports and dialog keys: the pointer mapping through the
// scroll box, the message boxes' answers, the swatch's rounding, and Enter and
// Esc in the option dialogs.
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "support/GuiRig.h"

#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

namespace splot::test {
namespace {

// Top image row -> y = imageHeight, bottom row -> 1, left column -> 0, with
// the picture centred in the scroll box and with it scrolled.
TEST(ShellPorts, ThePointerMapsToCanvasCoordinatesThroughTheScrollBox) {
    for (auto [w, h] : {std::pair{100, 80}, {2000, 1500}}) {
        GuiRig rig;
        rig.show();
        TForm1& f = *rig.form;
        f.MakeNewImage(w, h, false);
        QtMousePort mouse;
        mouse.setImage(f.Image1, &f.state().paint.imageHeight);
        f.ScrollBox1->horizontalScrollBar()->setValue(300);
        f.ScrollBox1->verticalScrollBar()->setValue(200);
        QCoreApplication::processEvents();
        const QPoint topLeft = f.Image1->mapToGlobal(QPoint(0, 0));
        QCursor::setPos(topLeft);
        EXPECT_EQ(mouse.getXMouse(), 0) << w;
        EXPECT_EQ(mouse.getYMouse(), h) << w;
        QCursor::setPos(f.Image1->mapToGlobal(QPoint(w - 1, h - 1)));
        EXPECT_EQ(mouse.getXMouse(), w - 1) << w;
        EXPECT_EQ(mouse.getYMouse(), 1) << w;
        if (w < f.ScrollBox1->width()) {
            const int expectedLeft = std::max((f.ScrollBox1->width() - w) / 2, 0);
            EXPECT_NEAR(f.Image1->x(), expectedLeft, 1) << "centred";
        }
    }
}

// Answers the next modal message box by key or by its close box and
// remembers its icon.
void answerNextBox(int key, QMessageBox::Icon* icon) {
    QTimer::singleShot(0, [key, icon] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *icon = box->icon();
        if (key == 0)
            box->close();
        else
            QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
}

TEST(ShellPorts, EscapeOrTheCloseBoxGiveCancelOrNoWhereThereIsNoCancel) {
    QtPrompts prompts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    for (int key : {int(Qt::Key_Escape), 0}) {
        answerNextBox(key, &icon);
        EXPECT_EQ(prompts.warning("q", Buttons::YesNoCancel), Answer::Cancel);
        EXPECT_EQ(icon, QMessageBox::Warning);
        answerNextBox(key, &icon);
        EXPECT_EQ(prompts.warning("q", Buttons::YesNo), Answer::No);
        answerNextBox(key, &icon);
        EXPECT_EQ(prompts.warning("q", Buttons::OkCancel), Answer::Cancel);
    }
    answerNextBox(Qt::Key_Return, &icon);
    prompts.message("plain");
    EXPECT_EQ(icon, QMessageBox::NoIcon) << "a plain message box has no icon";
}

TEST(ShellPorts, TheSwatchRoundsHalvesToEven) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.tbR->setValue(0);
    f.tbB->setValue(0);
    f.tbG->setValue(6);
    f.tbIntensity->setValue(50); // 0.75: 6 x 0.75 = 4.5 -> 4
    EXPECT_EQ(f.labelSwatch->palette().color(QPalette::Window), QColor(0, 4, 0));
    f.tbG->setValue(10); // 7.5 -> 8
    EXPECT_EQ(f.labelSwatch->palette().color(QPalette::Window), QColor(0, 8, 0));
}

// None of the option dialogs has a default or a cancel button: Enter and Esc
// change nothing and leave the dialog open.
TEST(OptionDialogs, EnterAndEscapeDoNothingSpecial) {
    GuiRig rig;
    TForm1& f = *rig.form;
    QDialog* dialogs[] = {f.frmBrushOptions, f.frm3dOptions, f.frmImageOptions, f.frmShapeOptions,
                          f.frmCircleOptions};
    PaintingState& p = f.state().paint;
    f.frmBrushOptions->tbGrowthSpeed->setValue(40);
    f.frmBrushOptions->tbIntensifySpeed->setValue(-20);
    for (QDialog* d : dialogs) {
        d->show();
        d->activateWindow();
        QCoreApplication::processEvents();
        for (QWidget* w : d->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus)
                continue;
            w->setFocus();
            for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(w, k);
        }
        EXPECT_TRUE(d->isVisible()) << d->objectName().toStdString();
        d->hide();
    }
    EXPECT_EQ(p.growthSpeed, 40) << "Enter must not press \"Reset speeds to zero\"";
    EXPECT_EQ(p.intensifySpeed, -20);
}

} // namespace
} // namespace splot::test

namespace splot::test {
namespace {

// The single-key shortcuts work while a modeless option dialog is active
// (the 3D dialog tells the user to press 1, 2 and 3); Esc there neither
// closes the dialog nor clears the picture.
TEST(OptionDialogs, MainWindowShortcutsReachThroughAnActiveDialog) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    rig.key(Qt::Key_F1);
    QDialog* d = f.frm3dOptions;
    ASSERT_TRUE(d->isVisible());
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == d; }));
    f.canvas().pixel(1, 1) = BgrPixel{1, 2, 3};
    QTest::keyClick(d, Qt::Key_3);
    EXPECT_TRUE(f.state().paint.draw3d);
    EXPECT_EQ(rig.status(2), "3D depth: 0");
    QTest::keyClick(d, Qt::Key_R); // Move Nearer
    EXPECT_EQ(f.state().paint.depth3d, 1);
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(f.canvas().pixel(1, 1), (BgrPixel{1, 2, 3})) << "Esc in a dialog must not clear the picture";
}

} // namespace
} // namespace splot::test
