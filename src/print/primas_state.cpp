#include "mfreport/print/primas_state.h"

namespace mfreport::print {

PrimasState& primasState() {
    static PrimasState state;
    return state;
}

} // namespace mfreport::print
