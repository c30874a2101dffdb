#pragma once

#include "app/dialogs/OptionsDialog.h"

namespace splot {

// The circle options dialog: modeless, stays on top of the main window.
// Its controls arrive with the circle drawing code.
class TfrmCircleOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmCircleOptions(QWidget* parent, DialogFacade& facade);
    // Brings the controls in line with the settings read at start-up.
    void FormCreate() {}
};

} // namespace splot
