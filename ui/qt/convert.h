// Conversions between the layer's plain types and Qt's; included only by the layer's sources.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class CBitmap;

// Every control carries its template identifier under this property.
inline constexpr char kControlIdProperty[] = "controlId";

inline QString ToQt(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ToStd(const QString& s) {
    return s.toStdString();
}

// A view of the bitmap's pixels as an image; valid while the bitmap is unchanged.
QImage ImageView(const CBitmap& bitmap);

// A copy of a grey picture (width x height bytes, top row first) as an 8-bit grey image; a null
// image when grey does not hold exactly that many bytes.
QImage GreyImage(int width, int height, std::span<const std::uint8_t> grey);

// The text of a button, label, edit box, group box or window.
QString WidgetText(const QWidget& widget);
void SetWidgetText(QWidget& widget, const QString& text);
