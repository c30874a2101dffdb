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

namespace splot {

namespace {

// Shortcuts are plain key presses in the main window unless a modifier is named.
QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();

    File1 = addMenu(bar, "File1", QStringLiteral("File"));
    New1 = addItem(File1, "New1", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Load1 = addItem(File1, "Load1", QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    File1->addSeparator();
    Save1 = addItem(File1, "Save1", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    File1->addSeparator();
    Exit2 = addItem(File1, "Exit2", QStringLiteral("Exit"));

    Brush1 = addMenu(bar, "Brush1", QStringLiteral("Brush"));
    menuBrushLoad = addItem(Brush1, "menuBrushLoad", QStringLiteral("Load"), QKeySequence(Qt::Key_F9));
    menuBrushSave = addItem(Brush1, "menuBrushSave", QStringLiteral("Save"), QKeySequence(Qt::Key_F10));

    Edit1 = addMenu(bar, "Edit1", QStringLiteral("Edit"));
    menuItemUndo = addItem(Edit1, "menuItemUndo", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    menuItemRedo = addItem(Edit1, "menuItemRedo", QStringLiteral("Redo"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    Edit1->addSeparator();
    ResizeImage1 =
        addItem(Edit1, "ResizeImage1", QStringLiteral("Resize Image"), QKeySequence(Qt::CTRL | Qt::Key_R));

    MenuTools = addMenu(bar, "MenuTools", QStringLiteral("Tools"));
    CycleRGB1 = addItem(MenuTools, "CycleRGB1", QStringLiteral("Cycle RGB"));
    Invert1 = addItem(MenuTools, "Invert1", QStringLiteral("Invert"));
    Clear1 = addItem(MenuTools, "Clear1", QStringLiteral("Clear"), QKeySequence(Qt::Key_Escape));
    MenuTools->addSeparator();
    menuItemWhite =
        addItem(MenuTools, "menuItemWhite", QStringLiteral("Switch Drawing Mode"), QKeySequence(Qt::Key_Z));
    Erase1 = addItem(MenuTools, "Erase1", QStringLiteral("Erase"), QKeySequence(Qt::Key_X));
    MenuTools->addSeparator();
    IncreaseBrushWidth1 = addItem(MenuTools, "IncreaseBrushWidth1", QStringLiteral("Increase Brush Width"),
                                  QKeySequence(Qt::Key_S));
    DecreaseBrushWidth1 = addItem(MenuTools, "DecreaseBrushWidth1", QStringLiteral("Decrease Brush Width"),
                                  QKeySequence(Qt::Key_A));
    MenuTools->addSeparator();
    SquareBrush1 =
        addItem(MenuTools, "SquareBrush1", QStringLiteral("Square Brush"), QKeySequence(Qt::Key_W));
    RoundBrush1 = addItem(MenuTools, "RoundBrush1", QStringLiteral("Round Brush"), QKeySequence(Qt::Key_Q));
    MenuTools->addSeparator();
    Fuzzy1 = addItem(MenuTools, "Fuzzy1", QStringLiteral("Toggle Fuzzy Edge"), QKeySequence(Qt::Key_F));
    Fuzzy1->setCheckable(true); // starts unchecked; only Fuzzy1Click sets it
    Fuzzier1 = addItem(MenuTools, "Fuzzier1", QStringLiteral("More Fuzzy"), QKeySequence(Qt::Key_H));
    LessFuzzy1 = addItem(MenuTools, "LessFuzzy1", QStringLiteral("Less Fuzzy"), QKeySequence(Qt::Key_G));
    MenuTools->addSeparator();
    DarkenColors1 =
        addItem(MenuTools, "DarkenColors1", QStringLiteral("Lower Intensity"), QKeySequence(Qt::Key_1));
    LightenColors1 =
        addItem(MenuTools, "LightenColors1", QStringLiteral("Higher Intensity"), QKeySequence(Qt::Key_2));
    MenuTools->addSeparator();
    DenserSpeckles1 = addItem(MenuTools, "DenserSpeckles1", QStringLiteral("Denser Speckles"),
                              QKeySequence(Qt::Key_Period));
    LessDenseSpeckles1 = addItem(MenuTools, "LessDenseSpeckles1", QStringLiteral("Less Dense Speckles"),
                                 QKeySequence(Qt::Key_Comma));

    Colours1 = addMenu(bar, "Colours1", QStringLiteral("Colours"));
    NoRandomColours1 =
        addItem(Colours1, "NoRandomColours1", QStringLiteral("No Random Colours"), QKeySequence(Qt::Key_I));
    Randomperstroke1 =
        addItem(Colours1, "Randomperstroke1", QStringLiteral("Random per stroke"), QKeySequence(Qt::Key_O));
    Randomperpoint1 =
        addItem(Colours1, "Randomperpoint1", QStringLiteral("Random per point"), QKeySequence(Qt::Key_P));
    for (QAction* item : {NoRandomColours1, Randomperstroke1, Randomperpoint1})
        item->setCheckable(true);
    NoRandomColours1->setChecked(true);

    Splotting1 = addMenu(bar, "Splotting1", QStringLiteral("Splotting"));
    Circle1 = addItem(Splotting1, "Circle1", QStringLiteral("Draw Circle"), QKeySequence(Qt::Key_C));
    DrawShapes1 = addItem(Splotting1, "DrawShapes1", QStringLiteral("Draw Shape(s)"));
    Splotting1->addSeparator();
    Kill1 = addItem(Splotting1, "Kill1", QStringLiteral("Kill"), QKeySequence(Qt::Key_K));

    Options1 = addMenu(bar, "Options1", QStringLiteral("Options"));
    N3DOptions1 = addItem(Options1, "N3DOptions1", QStringLiteral("3D Options"), QKeySequence(Qt::Key_F1));
    BrushOptions1 =
        addItem(Options1, "BrushOptions1", QStringLiteral("Brush Options"), QKeySequence(Qt::Key_F2));
    CircleOptions1 =
        addItem(Options1, "CircleOptions1", QStringLiteral("Circle Options"), QKeySequence(Qt::Key_F3));
    ShapeOptions1 =
        addItem(Options1, "ShapeOptions1", QStringLiteral("Shape Options"), QKeySequence(Qt::Key_F4));

    menu3d = addMenu(bar, "menu3d", QStringLiteral("3D"));
    Drawin3D1 = addItem(menu3d, "Drawin3D1", QStringLiteral("Draw in 3D"), QKeySequence(Qt::Key_3));
    menu3d->addSeparator();
    BringTowardsYou1 =
        addItem(menu3d, "BringTowardsYou1", QStringLiteral("Move Nearer"), QKeySequence(Qt::Key_R));
    MoveAway1 = addItem(menu3d, "MoveAway1", QStringLiteral("Move Away"), QKeySequence(Qt::Key_E));

    Help1 = addMenu(bar, "Help1", QStringLiteral("Help"));
    AboutSPLOT1 = addItem(Help1, "AboutSPLOT1", QStringLiteral("About SPLOT"));

    // The shortcuts also work while a modeless option dialog has the focus
    // (the 3D dialog tells the user to press 1, 2 and 3 there). A modal
    // dialog still blocks them, and Esc stays the main window's own: in a
    // dialog it must not clear the picture.
    for (QMenu* menu : bar->findChildren<QMenu*>())
        for (QAction* item : menu->actions())
            if (item != Clear1)
                item->setShortcutContext(Qt::ApplicationShortcut);

    // Alt and a menu's first letter opens it, with the captions unchanged.
    const std::pair<QMenu*, Qt::Key> mnemonics[] = {
        {File1, Qt::Key_F},     {Brush1, Qt::Key_B},   {Edit1, Qt::Key_E},
        {MenuTools, Qt::Key_T}, {Colours1, Qt::Key_C}, {Splotting1, Qt::Key_S},
        {Options1, Qt::Key_O},  {menu3d, Qt::Key_3},   {Help1, Qt::Key_H}};
    for (auto [menu, key] : mnemonics) {
        auto* open = new QAction(this);
        open->setShortcut(QKeySequence(Qt::ALT | key));
        open->setShortcutContext(Qt::ApplicationShortcut); // from the modeless dialogs too
        addAction(open);
        // A named copy: Clang 14 cannot capture a structured binding.
        connect(open, &QAction::triggered, this, [this, bar, opened = menu] {
            activateWindow();
            bar->setActiveAction(opened->menuAction());
        });
    }
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
