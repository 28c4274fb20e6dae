#include "ui/controls/uCustomControls.h"

#include "ui/controls/uCheckBoxEx.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uLabelEx.h"
#include "ui/controls/uMarqueeBar.h"

namespace qlm {

bool RegisterCustomControls(HINSTANCE instance) {
  return TControlWindow::RegisterControlClass(instance, CHECK_BOX_EX_CLASS,
                                              &TControlWindow::Procedure<TCheckBoxEx>) &&
         TControlWindow::RegisterControlClass(instance, GROUP_BOX_EX_CLASS,
                                              &TControlWindow::Procedure<TGroupBoxEx>) &&
         TControlWindow::RegisterControlClass(instance, LABEL_EX_CLASS,
                                              &TControlWindow::Procedure<TLabelEx>) &&
         TControlWindow::RegisterControlClass(instance, MARQUEE_BAR_CLASS,
                                              &TControlWindow::Procedure<TMarqueeBar>) &&
         TControlWindow::RegisterControlClass(instance, IMAGE_EX_CLASS,
                                              &TControlWindow::Procedure<TImageEx>);
}

}  // namespace qlm
