#include "ztresources.h"

#include <QtGlobal>

static void initRes()
{
    Q_INIT_RESOURCE(res);
}

void ztInitResources()
{
    static bool done = false;
    if (!done) {
        initRes();
        done = true;
    }
}
