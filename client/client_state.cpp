#include "client_state.h"

ClientState& Client() {
    static ClientState state;
    return state;
}
