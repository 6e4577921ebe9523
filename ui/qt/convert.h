// Conversions between the layer's plain types and Qt's; included only by the layer's sources.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <string>

class CBitmap;

// Every control carries its template identifier under this property.
inline constexpr char kControlIdProperty[] = "controlId";

inline QString ToQt(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string ToStd(const QString& s) {
    return s.toStdString();
}

// A view of the bitmap's pixels as an image; valid while the bitmap is unchanged.
QImage ImageView(const CBitmap& bitmap);

// The text of a button, label, edit box, group box or window.
QString WidgetText(const QWidget& widget);
void SetWidgetText(QWidget& widget, const QString& text);
