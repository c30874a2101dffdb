// New and Resize Image through the image options dialog.
#include "app/dialogs/splotimageoptions.h"
#include "support/GuiRig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace splot::test {
namespace {

constexpr BgrPixel white{255, 255, 255};

// Types the size into the image options dialog once it is open and presses
// its visible action button (or Cancel); remembers which button was shown.
void fillNextDialog(TForm1& f, const QString& w, const QString& h, bool cancel, bool* resizeShown) {
    QTimer::singleShot(0, [&f, w, h, cancel, resizeShown] {
        TfrmImageOptions* d = f.frmImageOptions;
        ASSERT_EQ(QApplication::activeModalWidget(), d);
        *resizeShown = d->btnResize->isVisible();
        EXPECT_NE(d->btnResize->isVisible(), d->btnMakeNewImage->isVisible());
        d->editImageWidth->setText(w);
        d->editImageHeight->setText(h);
        if (cancel)
            d->Button2->click();
        else
            (d->btnResize->isVisible() ? d->btnResize : d->btnMakeNewImage)->click();
    });
}

TEST(NewImage, ResizeKeepsTheTopLeftAndNewClearsBothDisablingUndo) {
    GuiRig rig;
    TForm1& f = *rig.form;
    // The left half red, the right half blue, in canvas coordinates.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 600; ++x)
            f.canvas().pixel(x, y) = x < 300 ? BgrPixel{0, 0, 255} : BgrPixel{255, 0, 0};
    f.ShowStatus("Image cleared");
    bool resizeShown = false;
    fillNextDialog(f, "300", "800", false, &resizeShown);
    f.ResizeImage1->trigger();
    EXPECT_TRUE(resizeShown);
    ASSERT_EQ(f.canvas().imageWidth(), 300);
    ASSERT_EQ(f.canvas().imageHeight(), 800);
    // The old picture at the top, a 200-pixel band of background below it.
    EXPECT_EQ(f.canvas().pixel(0, 799), (BgrPixel{0, 0, 255}));
    EXPECT_EQ(f.canvas().pixel(299, 200), (BgrPixel{0, 0, 255}));
    EXPECT_EQ(f.canvas().pixel(150, 199), white);
    EXPECT_FALSE(f.btnUndo->isEnabled());
    EXPECT_FALSE(f.menuItemRedo->isEnabled());
    EXPECT_EQ(rig.status(0), "There are unsaved changes.")
        << "the resized picture differs from the saved one";

    // New asks first; No goes on; the dialog shows Make New Image.
    rig.prompts.answers = {Answer::No};
    fillNextDialog(f, "120", "90", false, &resizeShown);
    f.New1->trigger();
    EXPECT_FALSE(resizeShown);
    EXPECT_EQ(rig.prompts.texts("warning").back(),
              "There are unsaved changes.\r\nDo you want to save them before scrapping this image?");
    EXPECT_EQ(f.canvas().imageWidth(), 120);
    EXPECT_EQ(f.canvas().pixel(0, 0), white);
    EXPECT_EQ(rig.status(0), "Image cleared");
    EXPECT_FALSE(f.btnUndo->isEnabled());
}

TEST(NewImage, CancelAnywhereAndBadFieldsChangeNothing) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.ShowStatus("There are unsaved changes.");
    rig.prompts.answers = {Answer::Cancel};
    f.ResizeImage1->trigger(); // no dialog opens: the test would hang otherwise
    EXPECT_EQ(rig.prompts.texts("warning").back(),
              "There are unsaved changes.\r\nDo you want to save them before resizing this image?");

    bool resizeShown = false;
    rig.prompts.answers = {Answer::No};
    fillNextDialog(f, "120", "90", true, &resizeShown);
    f.New1->trigger();
    EXPECT_EQ(f.canvas().imageWidth(), 600);
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");

    // Bad fields: the report, and the dialog stays open until Cancel.
    rig.prompts.answers = {Answer::No};
    QTimer::singleShot(0, [&f] {
        TfrmImageOptions* d = f.frmImageOptions;
        d->editImageWidth->setText("abc");
        d->editImageHeight->setText("6000");
        d->btnMakeNewImage->click();
        EXPECT_TRUE(d->isVisible());
        d->Button2->click();
    });
    f.New1->trigger();
    EXPECT_EQ(
        rig.prompts.texts("message").back(),
        "\r\nWIDTH ERROR: 'abc' is not a valid integer value\r\nWIDTH ERROR: Please enter an integer in "
        "the range 1 to 5000 for the width.\r\n\r\nHEIGHT ERROR: Please enter an integer in the range 1 "
        "to 5000 for the height.");
    EXPECT_EQ(f.canvas().imageWidth(), 600);
    EXPECT_TRUE(f.btnUndo->isEnabled());
}

} // namespace
} // namespace splot::test
