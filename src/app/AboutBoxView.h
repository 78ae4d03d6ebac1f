#pragma once

#include <QWidget>

class QSvgRenderer;

// The picture of the about box: the "about" image with the version, the operating system and the
// hardware written over it in white. A click or a key asks the box to close.
class AboutBoxView : public QWidget
{
    Q_OBJECT

public:
    explicit AboutBoxView(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // The two data lines, read once from the running system.
    const QString &operatingSystem() const { return m_operatingSystem; }
    const QString &hardwareInformation() const { return m_hardwareInformation; }

signals:
    void closeRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QSvgRenderer *m_backgroundImage = nullptr;
    QFont m_copyrightFont;
    QFont m_versionFont;
    QFont m_labelFont;
    QFont m_dataFont;
    QString m_operatingSystem;
    QString m_hardwareInformation;
};
