#pragma once

// A drawn map in a scrolling view: whole-number zoom with no smoothing, crisp at any screen scale, and markers
// over the people that are battles. A click on a marker and the mouse resting on one are reported; the window
// says what each marker stands for.

#include <QImage>
#include <QScrollArea>
#include <vector>

class MapCanvas;

struct MapMarker
{
    // In pixels of the picture, clipped to it.
    QRect box;
    QString toolTip;
    // Trainers and Pokémon are outlined in colours of their own.
    bool trainer = true;
};

class MapView : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr int MaxZoom = 4;

    explicit MapView(QWidget* parent = nullptr);

    // The picture at the current zoom, with its markers; none selected. A null image shows nothing.
    void setPicture(const QImage& picture, std::vector<MapMarker> markers);
    int zoom() const { return m_zoom; }
    // 1..MaxZoom; the point at the centre of the view stays there.
    void setZoom(int zoom);
    // Outlines marker more strongly and scrolls to it; -1 for none.
    void setCurrent(int marker);
    int current() const { return m_current; }
    const std::vector<MapMarker>& markers() const { return m_markers; }
    // The widget the picture is drawn on, and where a marker's centre lies on it.
    QWidget* canvas() const;
    QPoint centreOf(int marker) const;

signals:
    void markerClicked(int marker);
    // Ctrl and the wheel ask for another zoom.
    void zoomRequested(int zoom);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class MapCanvas;
    // The topmost marker under a point of the canvas, or -1.
    int markerAt(const QPoint& point) const;

    MapCanvas* m_canvas;
    QPixmap m_picture;
    std::vector<MapMarker> m_markers;
    int m_zoom = 2;
    int m_current = -1;
};
