#include "shell/app_state.h"

namespace trafikon {

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace trafikon
