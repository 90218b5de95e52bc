// A conversion in a process of its own, for a test to kill while it runs:
// convertchild <input> <output>.
#include "model/audioconverter.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    audioconverter conv;
    QString mesg;
    return conv.audioConverterRun(args.at(1), args.at(2), mesg) ? 0 : 1;
}
