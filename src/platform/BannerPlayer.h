#pragma once

#include <QWidget>

namespace platform {

// The banner movie player of the bottom strip. It is given the movie's path and fills its
// panel; a missing or unplayable movie leaves the banner empty.
class BannerPlayer : public QWidget {
    Q_OBJECT
public:
    explicit BannerPlayer(QWidget* parent = nullptr);

    void setMovie(const QString& path);
    QString movie() const { return moviePath; }

private:
    QString moviePath;
};

} // namespace platform
