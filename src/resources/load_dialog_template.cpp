#include "src/resources/load_dialog_template.h"

namespace stamp {
namespace {

constexpr uint32_t kChild = PLAT_WS_VISIBLE | PLAT_WS_CHILD | PLAT_WS_TABSTOP;

constexpr PlatDialogControl kControls[kLoadDialogControlCount] = {
    {kLoadDialogOk, PLAT_CONTROL_DEFAULT_PUSH_BUTTON, u"OK", 30, 115, 50, 15,
     kChild | PLAT_BS_DEFPUSHBUTTON},
    {kLoadDialogCancel, PLAT_CONTROL_PUSH_BUTTON, u"Cancel", 80, 115, 50, 15, kChild},
    {kLoadDialogPathBox, PLAT_CONTROL_EDIT, u"", 5, 5, 105, 15,
     kChild | PLAT_WS_BORDER | PLAT_ES_AUTOHSCROLL},
    {kLoadDialogFileButton, PLAT_CONTROL_PUSH_BUTTON, u"File", 110, 5, 20, 15, kChild},
    // Not sorted: a list index is also the index of the stored path.
    {kLoadDialogList, PLAT_CONTROL_LIST_BOX, nullptr, 5, 25, 125, 85,
     kChild | PLAT_WS_BORDER | PLAT_WS_VSCROLL | PLAT_LBS_NOTIFY | PLAT_LBS_NOINTEGRALHEIGHT},
};

}  // namespace

constexpr PlatDialogTemplate kLoadDialogTemplate = {
    kLoadDialogResourceId,
    u"Load",
    u"Tahoma",
    9,
    0,
    0,
    135,
    133,
    PLAT_WS_POPUP | PLAT_WS_CAPTION | PLAT_WS_SYSMENU | PLAT_DS_MODALFRAME | PLAT_DS_SETFONT,
    kLoadDialogControlCount,
    kControls,
};

}  // namespace stamp
