#pragma once

#include <QFrame>
#include <QStringList>

class QHBoxLayout;
class QLabel;
class QPushButton;

// The question about the document's file that is asked without stopping the user: a bar across the
// top of the window with a text and a row of answers. Any answer hides it.
class FileChangedBar : public QFrame
{
    Q_OBJECT

public:
    explicit FileChangedBar(QWidget *parent = nullptr);

    // Shows `text` with one button per answer, left to right; the first is the default.
    void ask(const QString &text, const QStringList &answers);
    QString text() const;
    QList<QPushButton *> buttons() const { return m_buttons; }

signals:
    // The index of the answer pressed.
    void answered(int index);

private:
    QLabel *m_text;
    QHBoxLayout *m_buttonRow;
    QList<QPushButton *> m_buttons;
};
