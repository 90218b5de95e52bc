#include "ztresources.h"

#include <QtGlobal>

static void initRes()
{
    Q_INIT_RESOURCE(res);
}

// Qt registers the same resources once however often it is asked.
void ztInitResources()
{
    initRes();
}
