// Renders the program's scalable icon into the fixed sizes of the icon theme, so that the pictures never drift
// from the one drawing. Usage: quillmere_render_icon <icon.svg> <theme folder> <size>...
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: %s <icon.svg> <theme folder> <size>...\n", argv[0]);
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString name = QFileInfo(args.at(1)).completeBaseName() + QStringLiteral(".png");
    for (const QString& arg : args.mid(3)) {
        bool ok = false;
        const int side = arg.toInt(&ok);
        if (!ok || side <= 0) {
            std::fprintf(stderr, "not a size: %s\n", qPrintable(arg));
            return 2;
        }
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QDir folder(args.at(2) + QStringLiteral("/%1x%1/apps").arg(side));
        if (!folder.mkpath(QStringLiteral(".")) || !image.save(folder.filePath(name), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(name)));
            return 1;
        }
    }
    return 0;
}
