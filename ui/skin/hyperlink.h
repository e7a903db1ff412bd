#pragma once

// CHyperLink: an underlined link text; a click opens its address.

#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>

namespace q804 {

class CHyperLink : public QWidget {
    Q_OBJECT

  public:
    // Opens an address; the default hands it to the desktop's browser.
    using Opener = std::function<void(const QString& url)>;

    explicit CHyperLink(QWidget* parent = nullptr);

    // The text shown; when empty the address itself is shown.
    void SetText(const QString& text);
    void SetUrl(const QString& url);
    const QString& Url() const { return url_; }
    QString ShownText() const { return text_.isEmpty() ? url_ : text_; }
    void SetColours(const QColor& link, const QColor& hover, const QColor& visited);
    void SetOpener(Opener opener);
    bool Visited() const { return visited_; }

    QSize sizeHint() const override;

  signals:
    void opened(const QString& url);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString text_;
    QString url_;
    QColor link_;
    QColor hover_;
    QColor visited_colour_;
    bool visited_ = false;
    bool under_ = false;
    Opener opener_;
};

}  // namespace q804
