#pragma once
// The backdrop behind the program when the display could not be switched
// to 640 x 480: it only brings the current form back to the front.
#include "platform/Form.h"

namespace Shell {

class frm_Pozadi : public platform::Form {
    Q_OBJECT
protected:
    void Form_Load() override;
    void Form_Activate() override;
};

} // namespace Shell
