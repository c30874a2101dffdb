// Rebuilding the canvas through the main window: sizes out of range, a size
// that cannot be allocated, and enlarging with the picture kept.
#include "support/GuiRig.h"

#include <QSlider>
#include <QTimer>

namespace splot::test {
namespace {

// Closes the modal dialog that opens next, as a user would with Escape.
void closeNextModal(QWidget** seen) {
    QTimer::singleShot(0, [seen] {
        QWidget* modal = QApplication::activeModalWidget();
        *seen = modal;
        if (modal != nullptr)
            modal->close();
    });
}

TEST(CanvasCommands, ASizeOutOfRangeShowsTheImageOptionsAndChangesNothing) {
    GuiRig rig;
    rig.form->canvas().pixel(3, 4) = BgrPixel{1, 2, 3};
    const BgrPixel* bits = rig.form->canvas().row(0);
    for (auto [w, h] : {std::pair{5001, 100}, {-1, 100}, {100, 5001}, {100, -1}}) {
        QWidget* modal = nullptr;
        closeNextModal(&modal);
        rig.form->MakeNewImage(w, h, false);
        ASSERT_NE(modal, nullptr) << w << " x " << h;
        EXPECT_EQ(modal->windowTitle().toStdString(), "SPLOT Image Options");
        EXPECT_EQ(rig.form->state().paint.imageWidth, 600);
        EXPECT_EQ(rig.form->state().paint.imageHeight, 600);
        EXPECT_EQ(rig.form->canvas().imageWidth(), 600);
        EXPECT_EQ(rig.form->canvas().row(0), bits);
        EXPECT_EQ(rig.form->canvas().pixel(3, 4), (BgrPixel{1, 2, 3}));
        EXPECT_EQ(rig.form->Image1->size(), QSize(600, 600));
    }
}

TEST(CanvasCommands, ACanvasThatCannotBeAllocatedChangesNothingAndAbandonsTheCommand) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.canvas().pixel(3, 4) = BgrPixel{1, 2, 3};
    f.ShowStatus("There are unsaved changes.");
    f.tbW->setValue(77);
    f.state().paint.brushWidth = 30; // a rebuild would move the slider back to 30
    f.canvas().setAllocationLimit(4'000'000);
    EXPECT_THROW(f.MakeNewImage(3000, 2000, false), CommandAbandoned);
    EXPECT_EQ(rig.prompts.texts("message"),
              std::vector<std::string>{"Out of memory: the picture cannot be made that large."});
    EXPECT_EQ(f.canvas().imageWidth(), 600);
    EXPECT_EQ(f.canvas().imageHeight(), 600);
    EXPECT_EQ(f.state().paint.imageWidth, 600);
    EXPECT_EQ(f.state().paint.imageHeight, 600);
    EXPECT_EQ(f.Image1->size(), QSize(600, 600));
    EXPECT_EQ(f.canvas().pixel(3, 4), (BgrPixel{1, 2, 3})) << "the picture is not cleared";
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
    EXPECT_EQ(f.tbW->value(), 77);
    // The old canvas is whole: a stroke over all of it is safe.
    SessionProbe(f.session()).painter().DrawOnImage(KMingo(300, 300), 200, true);
    SessionProbe(f.session()).painter().DrawOnImage(KMingo(599, 599), 200, true);
}

TEST(CanvasCommands, EnlargingKeepsThePictureAtTheTopLeft) {
    GuiRig rig;
    rig.form->MakeNewImage(20, 10, false);
    rig.form->canvas().pixel(0, 9) = BgrPixel{1, 2, 3}; // top-left on screen
    rig.form->ShowStatus("painted");
    rig.form->MakeNewImage(30, 25, true);
    EXPECT_EQ(rig.form->canvas().pixel(0, 24), (BgrPixel{1, 2, 3})); // row y -> y + 15
    EXPECT_EQ(rig.form->canvas().pixel(29, 0), (BgrPixel{255, 255, 255}));
    EXPECT_EQ(rig.form->Image1->size(), QSize(30, 25));
    EXPECT_EQ(rig.status(0), "painted") << "a resize keeping the picture does not clear";
}

} // namespace
} // namespace splot::test
