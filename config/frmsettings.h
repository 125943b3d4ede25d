#pragma once

#include <QWidget>

// The settings dialog.
class frmSettings : public QWidget {
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);
};
