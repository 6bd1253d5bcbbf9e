#pragma once

#include <QObject>
#include <QPalette>

#include <optional>

class ColorSchemeSource;

// Keeps the application's palette in step with the desktop's colour scheme: where the desktop
// asks for dark colours and the palette Qt was given is light (no platform theme followed the
// desktop), a dark palette; back to the given one when the desktop asks for light again. Every
// window reads its colours from that palette.
class SchemePalette : public QObject
{
    Q_OBJECT
public:
    explicit SchemePalette(ColorSchemeSource& scheme, QObject* parent = nullptr);

    // The dark palette put in place of a light one.
    static QPalette dark();

private:
    void follow();

    ColorSchemeSource& m_scheme;
    // The palette replaced, while a dark one stands in for it.
    std::optional<QPalette> m_replaced;
};
