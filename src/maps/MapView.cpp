#include "maps/MapView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

namespace {

const QColor TrainerColour(0xD8, 0x20, 0x20);
const QColor PokemonColour(0x10, 0x60, 0xE0);
constexpr int SelectedPen = 3;
constexpr int SelectedFillAlpha = 64;

QRect scaled(const QRect& box, int zoom)
{
    return {box.x() * zoom, box.y() * zoom, box.width() * zoom, box.height() * zoom};
}

} // namespace

class MapCanvas : public QWidget
{
public:
    explicit MapCanvas(MapView* view) : QWidget(view), m_view(view)
    {
        setObjectName(QStringLiteral("mapcanvas"));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            return;
        }
        if (const int marker = m_view->markerAt(event->position().toPoint()); marker >= 0) {
            emit m_view->markerClicked(marker);
        }
    }
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip) {
            return QWidget::event(event);
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const int marker = m_view->markerAt(help->pos());
        if (marker < 0 || m_view->m_markers[static_cast<std::size_t>(marker)].toolTip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            const int zoom = m_view->m_zoom;
            QToolTip::showText(help->globalPos(),
                               m_view->m_markers[static_cast<std::size_t>(marker)].toolTip,
                               this,
                               scaled(m_view->m_markers[static_cast<std::size_t>(marker)].box, zoom));
        }
        return true;
    }

private:
    MapView* m_view;
};

void MapCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const int zoom = m_view->m_zoom;
    // The part of the picture the exposed rectangle shows, whole pixels of it, each drawn as a square of zoom x zoom:
    // without smoothing, and with the screen's scale in the painter, every pixel covers whole pixels of the screen.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect exposed = event->rect();
    const QRect source = QRect(QPoint(exposed.left() / zoom, exposed.top() / zoom),
                               QPoint(exposed.right() / zoom, exposed.bottom() / zoom))
                             .intersected(m_view->m_picture.rect());
    if (!source.isEmpty()) {
        painter.drawPixmap(scaled(source, zoom), m_view->m_picture, source);
    }
    const auto& markers = m_view->m_markers;
    for (std::size_t k = 0; k < markers.size(); ++k) {
        const QRect box = scaled(markers[k].box, zoom);
        if (!box.intersects(exposed)) {
            continue;
        }
        const QColor colour = markers[k].trainer ? TrainerColour : PokemonColour;
        const bool current = static_cast<int>(k) == m_view->m_current;
        const int width = current ? SelectedPen : 1;
        if (current) {
            QColor fill = colour;
            fill.setAlpha(SelectedFillAlpha);
            painter.fillRect(box, fill);
        }
        // The outline inside the box, so that neighbours' outlines never cover each other.
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = width / 2.0;
        painter.drawRect(QRectF(box).adjusted(inset, inset, -inset, -inset));
    }
}

MapView::MapView(QWidget* parent) : QScrollArea(parent), m_canvas(new MapCanvas(this))
{
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

QWidget* MapView::canvas() const
{
    return m_canvas;
}

void MapView::setPicture(const QImage& picture, std::vector<MapMarker> markers)
{
    m_picture = QPixmap::fromImage(picture);
    m_markers = std::move(markers);
    m_current = -1;
    m_canvas->setFixedSize(m_picture.size() * m_zoom);
    m_canvas->update();
}

void MapView::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, MaxZoom);
    if (zoom == m_zoom) {
        return;
    }
    // The picture's point at the middle of the view, kept there.
    const QPointF middle((horizontalScrollBar()->value() + viewport()->width() / 2.0) / m_zoom,
                         (verticalScrollBar()->value() + viewport()->height() / 2.0) / m_zoom);
    m_zoom = zoom;
    m_canvas->setFixedSize(m_picture.size() * m_zoom);
    horizontalScrollBar()->setValue(qRound(middle.x() * m_zoom - viewport()->width() / 2.0));
    verticalScrollBar()->setValue(qRound(middle.y() * m_zoom - viewport()->height() / 2.0));
    m_canvas->update();
}

void MapView::setCurrent(int marker)
{
    m_current = marker >= 0 && marker < static_cast<int>(m_markers.size()) ? marker : -1;
    m_canvas->update();
    if (m_current >= 0) {
        const QPoint centre = centreOf(m_current);
        // Room around it for the people standing next to it.
        ensureVisible(centre.x(), centre.y(), 48 * m_zoom, 48 * m_zoom);
    }
}

QPoint MapView::centreOf(int marker) const
{
    return scaled(m_markers[static_cast<std::size_t>(marker)].box, m_zoom).center();
}

int MapView::markerAt(const QPoint& point) const
{
    for (std::size_t k = 0; k < m_markers.size(); ++k) {
        if (scaled(m_markers[k].box, m_zoom).contains(point)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

void MapView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0) {
            emit zoomRequested(std::clamp(m_zoom + steps, 1, MaxZoom));
        }
        event->accept();
        return;
    }
    QScrollArea::wheelEvent(event);
}
