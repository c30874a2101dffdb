#include "app/dialogs/splotForm2.h"

#include "app/splot.h"

namespace splot {

TfrmShapeOptions::TfrmShapeOptions(TForm1& form)
    : QDialog(&form, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      form_(form) {
    setObjectName(QStringLiteral("frmShapeOptions"));
    setWindowTitle(QStringLiteral("SPLOT Shape Options"));
    static_cast<void>(form_);
}

} // namespace splot
