#include "app/dialogs/splotcircleoptions.h"

#include "app/splot.h"

namespace splot {

TfrmCircleOptions::TfrmCircleOptions(TForm1& form)
    : QDialog(&form, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      form_(form) {
    setObjectName(QStringLiteral("frmCircleOptions"));
    setWindowTitle(QStringLiteral("SPLOT Circle Options"));
    static_cast<void>(form_);
}

} // namespace splot
