#include "document/kitdocument.h"
