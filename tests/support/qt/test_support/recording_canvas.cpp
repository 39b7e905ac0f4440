// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/recording_canvas.h"

#include <QFontMetrics>

namespace kvarzel::testing {

void RecordingCanvas::Record(Op op, const PixelRect& box, const QString& text) {
    calls.push_back({op, box, text, Pen(), Brush(), Font(), Align()});
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2) {
    Record(Op::Line, {x1, y1, x2, y2});
}
void RecordingCanvas::Rectangle(const PixelRect& box) {
    Record(Op::Rectangle, box);
}
void RecordingCanvas::Ellipse(const PixelRect& box) {
    Record(Op::Ellipse, box);
}
void RecordingCanvas::FillRect(const PixelRect& box) {
    Record(Op::FillRect, box);
}
void RecordingCanvas::TextOut(int x, int y, const QString& text) {
    Record(Op::Text, {x, y, x, y}, text);
}
void RecordingCanvas::SetClipRect(const PixelRect& box) {
    Record(Op::Clip, box);
}
void RecordingCanvas::RemoveClip() {
    Record(Op::RemoveClip, {});
}

TextExtent RecordingCanvas::MeasureText(const QString& text) {
    const QFontMetrics metrics(ToQFont(Font()));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

std::vector<DrawCall> RecordingCanvas::Of(Op op) const {
    std::vector<DrawCall> matching;
    for (const DrawCall& call : calls)
        if (call.op == op)
            matching.push_back(call);
    return matching;
}

std::vector<QString> RecordingCanvas::Texts() const {
    std::vector<QString> texts;
    for (const DrawCall& call : Of(Op::Text))
        texts.push_back(call.text);
    return texts;
}

} // namespace kvarzel::testing
