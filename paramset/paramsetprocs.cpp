#include "paramset/paramsetprocs.h"

#include "app/context.h"

void ParamsetProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
}
