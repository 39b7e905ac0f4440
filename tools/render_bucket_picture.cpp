// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the training page's picture at build time, so that no start has to draw it:
//   kvarzel_render_bucket_picture <svg> <output png>
// draws the SVG black on white at the picture's size and saves it with one bit a pixel.
#include "ui/art/two_colour_render.h"
#include "ui/main/bucket_picture.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: kvarzel_render_bucket_picture <svg> <output png>\n";
        return 1;
    }
    const QSize size(kvarzel::kBucketPictureWidth, kvarzel::kBucketPictureHeight);
    const QImage picture = kvarzel::RenderTwoColour(arguments[1], size, kvarzel::Background::White);
    // Only pure black and pure white are left, so one bit a pixel loses nothing.
    if (picture.isNull() ||
        !picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(arguments[2])) {
        QTextStream(stderr) << "kvarzel_render_bucket_picture: cannot render " << arguments[1]
                            << " into " << arguments[2] << '\n';
        return 1;
    }
    return 0;
}
