#include "app/dialogs/splotimageoptions.h"

namespace splot {

TfrmImageOptions::TfrmImageOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmImageOptions", QStringLiteral("SPLOT Image Options"), Kind::Modal) {}

} // namespace splot
