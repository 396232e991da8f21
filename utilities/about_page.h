#pragma once

#include <QWidget>

class QLabel;

namespace vask {

// The utilities window's first page: the program's title and subtitle, nothing to set.
class AboutPage : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent);

    QLabel* titleLabel = nullptr;
    QLabel* subtitleLabel = nullptr;
};

} // namespace vask
