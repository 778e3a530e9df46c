#include "pages/pagesprocs.h"

#include "app/context.h"

void PagesProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
}
