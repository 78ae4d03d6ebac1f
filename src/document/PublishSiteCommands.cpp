#include "PublishSiteCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"
#include "history/HistoryStore.h"
#include "model/PasswordStore.h"
#include "publish/ui/PublishDialogController.h"

#include <QAction>
#include <QLabel>
#include <QThreadPool>

PublishSiteCommands::PublishSiteCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::PublishLinksPage), &QAction::triggered, this,
            &PublishSiteCommands::publishLinksPage);
}

void PublishSiteCommands::validateMenuItems()
{
    menus().action(ActionId::PublishLinksPage)->setEnabled(!m_running);
}

void PublishSiteCommands::publishLinksPage()
{
    if (!m_dialog) {
        m_dialog = new PublishDialogController(document());
        connect(m_dialog, &PublishDialogController::publishRequested, this,
                [this](bool dryRun) { start(dryRun); });
    }
    const PublishDestination destination = PublishDestination::fromCollectionManager(collectionManager());
    m_dialog->setDestination(destination);
    m_dialog->open();
    if (!destination.isValid())
        return;
    // The stored password fills the field when the keyring answers; the sheet is usable meanwhile.
    QPointer<PublishDialogController> dialog = m_dialog;
    PasswordStore::read(destination.passwordKey(), this, [dialog](const PasswordStore::Answer &answer) {
        if (dialog && answer.password && dialog->password().isNull())
            dialog->setPassword(*answer.password);
    });
}

void PublishSiteCommands::start(bool dryRun, const QString &acceptedKey)
{
    if (m_running || !m_dialog)
        return;
    const QString problem = m_dialog->problem();
    if (!problem.isNull()) {
        MessageBox::alert(m_dialog, tr("The links page cannot be published."), problem);
        return;
    }
    SitePublisher::Options options;
    options.destination = m_dialog->destination();
    options.password = m_dialog->password();
    options.acceptedServerKey = acceptedKey;
    options.dryRun = dryRun;
    // The destination is a setting of the database, changed like any other.
    const PublishDestination stored = PublishDestination::fromCollectionManager(collectionManager());
    if (stored.text() != options.destination.text() || stored.keyFile != options.destination.keyFile ||
        stored.protocol != options.destination.protocol)
        perform(tr("Publish Destination"), [&options, this](DocumentChange &) {
            options.destination.applyTo(collectionManager());
            return true;
        });
    if (!dryRun && m_dialog->rememberPassword() && !options.password.isEmpty())
        PasswordStore::write(options.destination.passwordKey(), options.password, this,
                             [this](bool stored, const QString &why) {
                                 if (!stored && m_dialog)
                                     m_dialog->summaryLabel()->setText(
                                         tr("The password could not be kept in the keyring: %1").arg(why));
                             });

    QList<SiteUploader::File> files;
    QString error;
    if (!SitePublisher::exportFiles(collectionManager(), files, &error)) {
        MessageBox::alert(m_dialog, tr("The links page cannot be published."), error);
        return;
    }
    m_running = true;
    m_dialog->setBusy(true);
    m_dialog->showRunning(files.isEmpty() ? QString() : files.constFirst().name, 0, int(files.size()));
    document()->validateMenuItems();
    // The transfer blocks on the network: a worker sends, the sheet hears of it through the event loop.
    // The global pool is waited for when the application object goes, so no upload outlives main().
    QPointer<PublishSiteCommands> self(this);
    const QString databasePath = document()->filePath();
    QThreadPool::globalInstance()->start([self, databasePath, files, options, dryRun] {
        const SitePublisher::Report report = SitePublisher::publish(
            databasePath, files, options, [self](const QString &file, int index, int count) {
                QMetaObject::invokeMethod(
                    self.data(),
                    [self, file, index, count] {
                        if (self && self->m_dialog)
                            self->m_dialog->showRunning(file, index, count);
                    },
                    Qt::QueuedConnection);
            });
        QMetaObject::invokeMethod(
            self.data(),
            [self, report, dryRun] {
                if (self)
                    self->finished(report, dryRun);
            },
            Qt::QueuedConnection);
    });
}

void PublishSiteCommands::finished(const SitePublisher::Report &report, bool dryRun)
{
    m_running = false;
    document()->validateMenuItems();
    if (!m_dialog)
        return;
    m_dialog->setBusy(false);
    QList<PublishDialogController::Outcome> outcomes;
    int sent = 0;
    for (const SitePublisher::FileOutcome &file : report.files) {
        outcomes.append({file.file, file.state, file.reason});
        sent += file.state == QLatin1String("sent") || file.state == QLatin1String("would-send") ? 1 : 0;
    }
    QString summary;
    if (report.failed)
        summary = tr("The publish stopped; the files not sent keep what the server had.");
    else if (dryRun)
        summary = sent == 0   ? tr("Nothing has changed since the last publish.")
                  : sent == 1 ? tr("1 file would be sent.")
                              : tr("%1 files would be sent.").arg(sent);
    else
        summary = sent == 0   ? tr("Nothing has changed since the last publish: nothing was sent.")
                  : sent == 1 ? tr("1 file was sent.")
                              : tr("%1 files were sent.").arg(sent);
    if (report.historyError.isError())
        summary += u'\n' + HistoryStore::errorMessage(document()->filePath(), report.historyError);
    m_dialog->showOutcomes(outcomes, summary);

    // A server seen for the first time is trusted only by the user, with its fingerprint in view.
    if (report.failed && report.identity == SiteUploader::Identity::Unknown && !report.serverKey.isEmpty()) {
        const int answer =
            MessageBox::alert(m_dialog, tr("Do you trust this server?"),
                              tr("The server %1 is not known yet. Its key's fingerprint is:\n\n%2\n\nCompare "
                                 "it with the one your "
                                 "host gives you; accept it only if they are the same.")
                                  .arg(m_dialog->destination().host, report.serverKey),
                              {tr("Cancel"), tr("Trust and Publish")}, MessageBox::Question, 0);
        if (answer == 1) {
            if (m_dialog->destination().protocol == PublishDestination::Protocol::FTPS) {
                // A certificate that does not verify is pinned in the database; a host key goes to
                // known_hosts.
                PublishDestination destination = m_dialog->destination();
                destination.acceptedCertificateKey = report.serverKey;
                perform(tr("Publish Destination"), [&destination, this](DocumentChange &) {
                    destination.applyTo(collectionManager());
                    return true;
                });
                m_dialog->setDestination(destination);
            }
            start(dryRun, report.serverKey);
            return;
        }
    }
    emit publishFinished(report);
    if (!dryRun && !report.failed && sent > 0 &&
        !collectionManager().selfInfo().linksURL().trimmed().isEmpty())
        emit linksPageUploaded();
}
