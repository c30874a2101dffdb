#include "app/AppWindows.h"

#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "app/splot.h"
#include "app/splothelp.h"

namespace splot {

std::unique_ptr<TForm1> createWindows(const AppPorts& ports) {
    auto form = std::make_unique<TForm1>(ports);
    TForm1& f = *form;
    // Each dialog is registered with the main window before its FormCreate,
    // which may call back into it (the 3D dialog shows the depth).
    f.frmShapeOptions = new TfrmShapeOptions(&f, f);
    f.runGuarded([&] { f.frmShapeOptions->FormCreate(); });
    f.Form2 = new TForm2(&f);
    f.frmCircleOptions = new TfrmCircleOptions(&f, f);
    f.runGuarded([&] { f.frmCircleOptions->FormCreate(); });
    f.frm3dOptions = new Tfrm3dOptions(&f, f);
    f.runGuarded([&] { f.frm3dOptions->FormCreate(); });
    f.frmBrushOptions = new TfrmBrushOptions(&f, f);
    f.runGuarded([&] { f.frmBrushOptions->FormCreate(); });
    f.frmImageOptions = new TfrmImageOptions(&f, f);
    f.runGuarded([&] { f.frmImageOptions->FormCreate(); });
    return form;
}

} // namespace splot
