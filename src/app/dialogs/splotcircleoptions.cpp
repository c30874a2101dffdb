#include "app/dialogs/splotcircleoptions.h"

namespace splot {

TfrmCircleOptions::TfrmCircleOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmCircleOptions", QStringLiteral("SPLOT Circle Options"),
                    Kind::Modeless) {}

} // namespace splot
