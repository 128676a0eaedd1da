// The other process of the single-instance tests.
//   kravelo_instance_helper <server> handover <argument>   exit 0 when handed over, 1 when not
//   kravelo_instance_helper <server> listen                prints "listening" and waits to be
//                                                           killed (it leaves a stale socket)
#include <QCoreApplication>
#include <cstdio>

#include "platform/single_instance.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) return 2;
    kravelo::SingleInstance instance(args[1]);
    if (args[2] == QLatin1String("handover")) return instance.HandOver(args.value(3)) ? 0 : 1;
    if (args[2] != QLatin1String("listen")) return 2;
    QString error;
    if (!instance.Listen(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("listening\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
