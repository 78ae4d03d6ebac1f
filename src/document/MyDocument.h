#pragma once

#include "model/CollectionManager.h"

#include <QMainWindow>
#include <QString>

// One open links database and its window.
class MyDocument : public QMainWindow
{
    Q_OBJECT

public:
    explicit MyDocument(QWidget *parent = nullptr);
    ~MyDocument() override;

    CollectionManager &collectionManager() { return m_collectionManager; }
    QString filePath() const { return m_filePath; }
    bool isEdited() const { return isWindowModified(); }

    // Reads a database file into this (still empty) document; `error` says why it failed.
    bool readFromFile(const QString &path, QString *error = nullptr);
    bool saveToFile(const QString &path, QString *error = nullptr);

    void updateChangeCount();

private:
    void updateTitle();

    CollectionManager m_collectionManager;
    QString m_filePath;
};
