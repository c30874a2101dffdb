#include "app/dialogs/splotForm2.h"

namespace splot {

TfrmShapeOptions::TfrmShapeOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmShapeOptions", QStringLiteral("SPLOT Shape Options"),
                    Kind::Modeless) {}

} // namespace splot
