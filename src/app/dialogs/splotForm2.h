#pragma once

#include <QDialog>

namespace splot {

class TForm1;

// The shape options dialog: modeless, stays on top of the main window.
// Its controls arrive with the shapes code.
class TfrmShapeOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmShapeOptions(TForm1& form);
    // Brings the controls in line with the settings read at start-up.
    void FormCreate() {}

private:
    TForm1& form_;
};

} // namespace splot
