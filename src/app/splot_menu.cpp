// TForm1: the menu bar with every item, shortcut, separator and check mark,
// and the commands that show the other windows.
#include "app/splot.h"

#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "app/splothelp.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace splot {

namespace {

// One item of the menu bar: the member that holds it, its object name, its
// caption, its shortcut (a plain key press in the main window unless a
// modifier is named) and its handler. A row without a member is a separator.
struct MenuItemRow {
    QAction* TForm1::*member = nullptr;
    const char* name = nullptr;
    const char* caption = nullptr;
    QKeySequence shortcut;
    void (TForm1::*handler)() = nullptr;
};

// One menu: its member, object name, caption, the key that opens it with Alt
// (the captions carry no mnemonic marks) and its items in order.
struct MenuRow {
    QMenu* TForm1::*member;
    const char* name;
    const char* caption;
    Qt::Key altKey;
    std::vector<MenuItemRow> items;
};

// The menu bar, left to right. Another menu is one more row in its place.
std::vector<MenuRow> menuTable() {
    using F = TForm1;
    const MenuItemRow separator;
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    return {
        {&F::File1,
         "File1",
         "File",
         Qt::Key_F,
         {{&F::New1, "New1", "New", ctrl(Qt::Key_N), &F::New1Click},
          {&F::Load1, "Load1", "Open", ctrl(Qt::Key_O), &F::btnLoadClick},
          separator,
          {&F::Save1, "Save1", "Save", ctrl(Qt::Key_S), &F::SaveSplot},
          separator,
          {&F::Exit2, "Exit2", "Exit", {}, &F::Exit2Click}}},
        {&F::Brush1,
         "Brush1",
         "Brush",
         Qt::Key_B,
         {{&F::menuBrushLoad, "menuBrushLoad", "Load", QKeySequence(Qt::Key_F9), &F::menuBrushLoadClick},
          {&F::menuBrushSave, "menuBrushSave", "Save", QKeySequence(Qt::Key_F10), &F::menuBrushSaveClick}}},
        {&F::Edit1,
         "Edit1",
         "Edit",
         Qt::Key_E,
         {{&F::menuItemUndo, "menuItemUndo", "Undo", ctrl(Qt::Key_Z), &F::menuItemUndoClick},
          {&F::menuItemRedo, "menuItemRedo", "Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
           &F::menuItemRedoClick},
          separator,
          {&F::ResizeImage1, "ResizeImage1", "Resize Image", ctrl(Qt::Key_R), &F::ResizeImage1Click}}},
        {&F::MenuTools,
         "MenuTools",
         "Tools",
         Qt::Key_T,
         {{&F::CycleRGB1, "CycleRGB1", "Cycle RGB", {}, &F::btnFixColorsClick},
          {&F::Invert1, "Invert1", "Invert", {}, &F::Invert1Click},
          {&F::Clear1, "Clear1", "Clear", QKeySequence(Qt::Key_Escape), &F::Clear1Click},
          separator,
          {&F::menuItemWhite, "menuItemWhite", "Switch Drawing Mode", QKeySequence(Qt::Key_Z),
           &F::menuItemWhiteClick},
          {&F::Erase1, "Erase1", "Erase", QKeySequence(Qt::Key_X), &F::Erase1Click},
          separator,
          {&F::IncreaseBrushWidth1, "IncreaseBrushWidth1", "Increase Brush Width", Qt::Key_S,
           &F::IncreaseBrushWidth1Click},
          {&F::DecreaseBrushWidth1, "DecreaseBrushWidth1", "Decrease Brush Width", Qt::Key_A,
           &F::DecreaseBrushWidth1Click},
          separator,
          {&F::SquareBrush1, "SquareBrush1", "Square Brush", QKeySequence(Qt::Key_W), &F::SquareBrush1Click},
          {&F::RoundBrush1, "RoundBrush1", "Round Brush", QKeySequence(Qt::Key_Q), &F::RoundBrush1Click},
          separator,
          {&F::Fuzzy1, "Fuzzy1", "Toggle Fuzzy Edge", QKeySequence(Qt::Key_F), &F::Fuzzy1Click},
          {&F::Fuzzier1, "Fuzzier1", "More Fuzzy", QKeySequence(Qt::Key_H), &F::Fuzzier1Click},
          {&F::LessFuzzy1, "LessFuzzy1", "Less Fuzzy", QKeySequence(Qt::Key_G), &F::LessFuzzy1Click},
          separator,
          {&F::DarkenColors1, "DarkenColors1", "Lower Intensity", QKeySequence(Qt::Key_1),
           &F::DarkenColors1Click},
          {&F::LightenColors1, "LightenColors1", "Higher Intensity", QKeySequence(Qt::Key_2),
           &F::LightenColors1Click},
          separator,
          {&F::DenserSpeckles1, "DenserSpeckles1", "Denser Speckles", QKeySequence(Qt::Key_Period),
           &F::DenserSpeckles1Click},
          {&F::LessDenseSpeckles1, "LessDenseSpeckles1", "Less Dense Speckles", Qt::Key_Comma,
           &F::LessDenseSpeckles1Click}}},
        {&F::Colours1,
         "Colours1",
         "Colours",
         Qt::Key_C,
         {{&F::NoRandomColours1, "NoRandomColours1", "No Random Colours", QKeySequence(Qt::Key_I),
           &F::NoRandomColours1Click},
          {&F::Randomperstroke1, "Randomperstroke1", "Random per stroke", QKeySequence(Qt::Key_O),
           &F::Randomperstroke1Click},
          {&F::Randomperpoint1, "Randomperpoint1", "Random per point", QKeySequence(Qt::Key_P),
           &F::Randomperpoint1Click}}},
        {&F::Splotting1,
         "Splotting1",
         "Splotting",
         Qt::Key_S,
         {{&F::Circle1, "Circle1", "Draw Circle", QKeySequence(Qt::Key_C), &F::Button2Click},
          {&F::DrawShapes1, "DrawShapes1", "Draw Shape(s)", {}, &F::DrawShapes1Click},
          separator,
          {&F::Kill1, "Kill1", "Kill", QKeySequence(Qt::Key_K), &F::Kill1Click}}},
        {&F::Options1,
         "Options1",
         "Options",
         Qt::Key_O,
         {{&F::N3DOptions1, "N3DOptions1", "3D Options", QKeySequence(Qt::Key_F1), &F::N3DOptions1Click},
          {&F::BrushOptions1, "BrushOptions1", "Brush Options", QKeySequence(Qt::Key_F2),
           &F::BrushOptions1Click},
          {&F::CircleOptions1, "CircleOptions1", "Circle Options", QKeySequence(Qt::Key_F3),
           &F::CircleOptions1Click},
          {&F::ShapeOptions1, "ShapeOptions1", "Shape Options", QKeySequence(Qt::Key_F4),
           &F::ShapeOptions1Click}}},
        {&F::menu3d,
         "menu3d",
         "3D",
         Qt::Key_3,
         {{&F::Drawin3D1, "Drawin3D1", "Draw in 3D", QKeySequence(Qt::Key_3), &F::Drawin3D1Click},
          separator,
          {&F::BringTowardsYou1, "BringTowardsYou1", "Move Nearer", QKeySequence(Qt::Key_R),
           &F::BringTowardsYou1Click},
          {&F::MoveAway1, "MoveAway1", "Move Away", QKeySequence(Qt::Key_E), &F::MoveAway1Click}}},
        {&F::Help1,
         "Help1",
         "Help",
         Qt::Key_H,
         {{&F::AboutSPLOT1, "AboutSPLOT1", "About SPLOT", {}, &F::AboutSPLOT1Click}}},
    };
}

} // namespace

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    for (const MenuRow& m : menuTable()) {
        if (m.member == &TForm1::Help1)
            BuildViewMenu(); // the View menu comes before Help
        QMenu* menu = bar->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        this->*m.member = menu;
        for (const MenuItemRow& row : m.items) {
            if (row.member == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* item = menu->addAction(QString::fromUtf8(row.caption));
            item->setObjectName(QLatin1String(row.name));
            if (!row.shortcut.isEmpty())
                item->setShortcut(row.shortcut);
            // The shortcuts also work while a modeless option dialog has the
            // focus (the 3D dialog tells the user to press 1, 2 and 3 there).
            // A modal dialog still blocks them, and Esc stays the main
            // window's own: in a dialog it must not clear the picture.
            if (row.member != &TForm1::Clear1)
                item->setShortcutContext(Qt::ApplicationShortcut);
            this->*row.member = item;
            connect(item, &QAction::triggered, this,
                    guard([this, handler = row.handler] { (this->*handler)(); }));
        }
        // Alt and the menu's key opens it, from the modeless dialogs too.
        auto* open = new QAction(this);
        open->setShortcut(QKeySequence(Qt::ALT | m.altKey));
        open->setShortcutContext(Qt::ApplicationShortcut);
        addAction(open);
        // A named copy: Clang 14 cannot capture a structured binding.
        connect(open, &QAction::triggered, this, [this, bar, opened = menu] {
            activateWindow();
            bar->setActiveAction(opened->menuAction());
        });
    }
    Fuzzy1->setCheckable(true); // starts unchecked; only Fuzzy1Click sets it
    for (QAction* item : {NoRandomColours1, Randomperstroke1, Randomperpoint1})
        item->setCheckable(true);
    NoRandomColours1->setChecked(true);
}

namespace {
// Modeless; brought to the front when already shown. Nothing is re-read.
void showModeless(QWidget* dialog) {
    if (dialog == nullptr)
        return;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

void TForm1::N3DOptions1Click() {
    showModeless(frm3dOptions);
}

void TForm1::BrushOptions1Click() {
    showModeless(frmBrushOptions);
}

void TForm1::CircleOptions1Click() {
    showModeless(frmCircleOptions);
}

void TForm1::ShapeOptions1Click() {
    showModeless(frmShapeOptions);
}

void TForm1::AboutSPLOT1Click() {
    if (Form2 != nullptr)
        Form2->exec();
}

} // namespace splot
