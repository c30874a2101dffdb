#pragma once

#include <QDialog>

namespace splot {

class TForm1;

// The image options dialog (new image size, resize): modal.
// Its controls arrive with the new-image code.
class TfrmImageOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImageOptions(TForm1& form);
    void FormCreate() {}

private:
    TForm1& form_;
};

} // namespace splot
