#pragma once

#include "windows/FormBase.h"

class QLabel;
class XPButton;

// The About box: the product's name and version, above other windows until
// closed.
class frmAbout : public FormWidget {
    Q_OBJECT
public:
    frmAbout();

    QLabel* lblAppTitle = nullptr;
    QLabel* lblVersion = nullptr;
    XPButton* btnOk = nullptr;

    void btnOk_Click();

protected:
    void Form_Load() override;
};
