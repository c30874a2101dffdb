// The main window at start-up, its menu bar, status bar and the exit flow.
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "app/splothelp.h"
#include "support/GuiRig.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

namespace splot {
namespace {

using test::GuiRig;

TEST(MainWindow, FirstStartWithoutSettings) {
    GuiRig rig;
    TForm1& f = *rig.form;
    EXPECT_EQ(f.windowTitle().toStdString(), "SPLOT 46");
    EXPECT_TRUE(f.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(f.normalGeometry().size(), QSize(854, 756));
    EXPECT_EQ(f.Panel2->width(), 192);

    EXPECT_EQ(f.tbR->value(), 255);
    EXPECT_EQ(f.tbG->value(), 123);
    EXPECT_EQ(f.tbB->value(), 34);
    EXPECT_EQ(f.labelGreen->text().toStdString(), "123");
    EXPECT_EQ(f.labelBlue->text().toStdString(), "34");
    EXPECT_EQ(f.tbW->value(), 30);
    EXPECT_EQ(f.labelWidth->text().toStdString(), "30");
    EXPECT_EQ(f.state().paint.penWidth, 30);
    for (QSlider* s : {f.tbIntensity, f.tbFuzziness, f.tbSpeckly})
        EXPECT_EQ(s->value(), 100);
    for (QLabel* l : {f.labelIntensity, f.labelFuzziness, f.labelSpeckly})
        EXPECT_EQ(l->text().toStdString(), "100");
    EXPECT_EQ(f.labelSwatch->palette().color(QPalette::Window), QColor(255, 123, 34));
    EXPECT_EQ(f.canvas().imageWidth(), 600);
    EXPECT_EQ(f.canvas().imageHeight(), 600);
    EXPECT_EQ(f.canvas().pixel(0, 0), (BgrPixel{255, 255, 255}));
    EXPECT_EQ(rig.status(0), "Image cleared");
    EXPECT_EQ(rig.status(1), " Drawing mode: White (subtraction)");
    EXPECT_EQ(rig.status(2), "");
    EXPECT_FALSE(f.cbSquareBrush->isChecked());
    EXPECT_FALSE(f.state().paint.squareBrush);
    EXPECT_TRUE(f.cbFuzzy->isChecked());
    EXPECT_TRUE(f.state().paint.fuzzy);
    EXPECT_FALSE(f.Fuzzy1->isChecked());
    EXPECT_TRUE(f.NoRandomColours1->isChecked());
    EXPECT_FALSE(f.Randomperstroke1->isChecked() || f.Randomperpoint1->isChecked());
    // The start-up clear took an undo snapshot.
    EXPECT_TRUE(f.btnUndo->isEnabled() && f.menuItemUndo->isEnabled());
    EXPECT_FALSE(f.btnRedo->isEnabled() || f.menuItemRedo->isEnabled());
    EXPECT_FALSE(f.btnRevert->isEnabled());
    EXPECT_TRUE(f.rbInvert->isChecked());
    EXPECT_FALSE(f.cbRGBAction->isChecked() || f.cbSilly->isChecked());
    EXPECT_TRUE(f.state().paint.freshStart);
    EXPECT_TRUE(f.session().closeAllowed());
    EXPECT_DOUBLE_EQ(f.state().circle.circleCenterX, 300.0);
    EXPECT_TRUE(rig.prompts.shown.empty());
}

TEST(MainWindow, SecondaryWindowsExistHiddenWithTheirCaptions) {
    GuiRig rig;
    TForm1& f = *rig.form;
    const std::pair<QWidget*, const char*> windows[] = {
        {f.frmShapeOptions, "SPLOT Shape Options"},   {f.Form2, "About SPLOT"},
        {f.frmCircleOptions, "SPLOT Circle Options"}, {f.frm3dOptions, "SPLOT 3D options"},
        {f.frmBrushOptions, "SPLOT Brush Options"},   {f.frmImageOptions, "SPLOT Image Options"}};
    for (auto [w, caption] : windows) {
        ASSERT_NE(w, nullptr) << caption;
        EXPECT_EQ(w->windowTitle().toStdString(), caption);
        EXPECT_FALSE(w->isVisible()) << caption;
        EXPECT_EQ(w->parentWidget(), &f) << caption;
    }
    // Creation order: the dialogs are the main window's children in that order.
    std::vector<QWidget*> order;
    for (QObject* child : f.children())
        for (auto [w, caption] : windows)
            if (child == w)
                order.push_back(w);
    ASSERT_EQ(order.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(order[i], windows[i].first);

    rig.show();
    rig.key(Qt::Key_F1);
    EXPECT_TRUE(f.frm3dOptions->isVisible());
    f.frm3dOptions->close(); // closing only hides
    EXPECT_FALSE(f.frm3dOptions->isVisible());
    rig.show();
    rig.key(Qt::Key_F2);
    EXPECT_TRUE(f.frmBrushOptions->isVisible());
    f.frmBrushOptions->btnClose->click();
    EXPECT_FALSE(f.frmBrushOptions->isVisible());
    for (auto [keyPress, dialog] : {std::pair{Qt::Key_F3, static_cast<QWidget*>(f.frmCircleOptions)},
                                    std::pair{Qt::Key_F4, static_cast<QWidget*>(f.frmShapeOptions)}}) {
        rig.show();
        rig.key(keyPress);
        EXPECT_TRUE(dialog->isVisible());
        dialog->close();
    }
}

TEST(MainWindow, TheImageIsCentredInTheScrollBoxAndAtZeroWhenLarger) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    const int boxWidth = f.ScrollBox1->width();
    f.MakeNewImage(boxWidth - 1, 100, false); // one pixel narrower: half of 1 rounds to 0
    EXPECT_EQ(f.Image1->x(), 0);
    f.MakeNewImage(boxWidth - 3, 100, false); // three narrower: 1.5 rounds to 2
    EXPECT_EQ(f.Image1->x(), 2);
    f.MakeNewImage(boxWidth + 50, 100, false);
    EXPECT_EQ(f.Image1->x(), 0);
    EXPECT_LE(std::abs(2 * f.Image1->y() - (f.ScrollBox1->height() - 100)), 1) << "centred vertically";
}

TEST(MainWindow, StatusBarPanelsAreLabelsOfTheirWidths) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    EXPECT_EQ(f.statusMessagePanel->width(), 450);
    EXPECT_EQ(f.statusModePanel->width(), 250);
    EXPECT_GE(f.statusDepthPanel->width(), 50);
    EXPECT_LT(f.statusMessagePanel->x(), f.statusModePanel->x());
    EXPECT_LT(f.statusModePanel->x(), f.statusDepthPanel->x());

    rig.key(Qt::Key_X);
    EXPECT_EQ(rig.status(1), " Drawing mode: Erase (to white)");
    rig.key(Qt::Key_Z);
    EXPECT_EQ(rig.status(1), " Drawing mode: Erase (to black)");
    rig.key(Qt::Key_X);
    EXPECT_EQ(rig.status(1), " Drawing mode: Black (addition)");
    // Switching the mode changes no pixel; the next clear uses the new background.
    EXPECT_EQ(f.canvas().pixel(5, 5), (BgrPixel{255, 255, 255}));
    rig.key(Qt::Key_Escape);
    EXPECT_EQ(f.canvas().pixel(5, 5), (BgrPixel{0, 0, 0}));
    EXPECT_EQ(rig.status(0), "Image cleared");
    EXPECT_TRUE(f.StatusBar1->currentMessage().isEmpty());
}

// ---- Exit -----------------------------------------------------------------

const std::string exitQuestion = "There are unsaved changes.\r\nDo you want to save them before exiting?";

void paintSomething(GuiRig& rig) {
    rig.form->MakeNewImage(200, 150, false);
    rig.press(50, 50);
    rig.release(50, 50);
    ASSERT_EQ(rig.status(0), "There are unsaved changes.");
}

// The exit and save-first flows themselves are the session's (tested there);
// here only that the menu item and the frame's close reach them.
TEST(Exit, TheMenuItemAndTheFrameRunTheExitFlow) {
    GuiRig rig;
    rig.show();
    paintSomething(rig);
    const auto before = rig.pixels();
    rig.prompts.answers = {Answer::Cancel};
    rig.form->Exit2->trigger();
    EXPECT_EQ(rig.prompts.texts("warning"), std::vector<std::string>{exitQuestion});
    EXPECT_EQ(rig.processEnd.ended, 0);
    EXPECT_EQ(rig.pixels(), before);

    // Closing by the frame: the same question; Cancel keeps the window open.
    rig.prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(rig.form->close());
    EXPECT_TRUE(rig.form->isVisible());
    EXPECT_EQ(rig.prompts.texts("warning").size(), 2u);
    EXPECT_EQ(rig.processEnd.ended, 0);

    rig.prompts.answers = {Answer::No};
    rig.form->close();
    EXPECT_EQ(rig.processEnd.ended, 1);
}

// ---- Top-level handler -----------------------------------------------------

TEST(Guarded, EngineErrorsAreReportedAndAbandonedCommandsAreSilent) {
    test::FakePrompts prompts;
    bool after = false;
    guarded(&prompts, [] { throw std::runtime_error("Unable to write to /x.ini"); });
    guarded(&prompts, [] { throw CommandAbandoned(); });
    guarded(&prompts, [&] { after = true; });
    EXPECT_EQ(prompts.texts("error"), (std::vector<std::string>{"Unable to write to /x.ini"}));
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(after);
}

TEST(AboutBox, ShowsItsTextModallyAndOkClosesIt) {
    GuiRig rig;
    rig.show();
    TForm2* about = rig.form->Form2;
    const std::string text = about->Label1->text().toStdString();
    EXPECT_EQ(
        text.rfind("About SPLOT\nSPLOT is a fairly stupid drawing program.\nYou are using it right now.\n"
                   "You can contact its author by emailing:\n\n",
                   0),
        0u);
    EXPECT_NE(text.find("\n\nThere is no more about SPLOT."), std::string::npos);
    EXPECT_EQ(about->Button1->text().toStdString(), "OK");
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == about;
        about->Button1->click();
    });
    rig.form->AboutSPLOT1->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
} // namespace splot
