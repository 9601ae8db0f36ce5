#include "src/plugin/module_state.h"

namespace stamp {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

}  // namespace stamp
