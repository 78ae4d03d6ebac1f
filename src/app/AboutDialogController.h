#pragma once

#include <QDialog>
#include <QElapsedTimer>

class AboutBoxView;
class QTimer;

// The about box: a borderless picture window. The about command runs it application-modal; at
// start-up it is the splash screen, shown without a modal run and closed when launching is done.
// However it is asked to close, it stays up at least MinimumShowTime since it appeared and then
// fades out.
class AboutDialogController : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumShowTime = 670; // milliseconds
    static constexpr int FadeStepInterval = 50; // three sixtieths of a second
    static constexpr qreal FadeStep = 0.1;

    explicit AboutDialogController(QWidget *parent = nullptr);

    // Shows the box without a modal run (the splash screen).
    void showSplash();
    // Runs the box application-modal until it has faded out.
    int exec() override;
    // Closes once the box has been up long enough, fading out; emits finished() when gone.
    void requestClose();
    bool isClosing() const { return m_closing; }

    void reject() override; // Escape
    AboutBoxView *view() const { return m_view; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void appear();
    void fadeStep();

    AboutBoxView *m_view = nullptr;
    QTimer *m_fadeTimer = nullptr;
    QElapsedTimer m_shownSince;
    bool m_closing = false;
};
