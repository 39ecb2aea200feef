#include "server/Version.h"


QString Version::own()
{
    return QStringLiteral(SCRIBOLT_VERSION);
}
