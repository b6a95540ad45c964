#pragma once

#include "CScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

// Base fixture for every test that touches files or the user: each test gets a fresh temporary
// home folder (QUARRYBOOK_HOME) and a fresh scripted user interface, both undone afterwards.
// Subclasses that override SetUp/TearDown call the base versions.
class CTestHome : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary home folder (no trailing slash) and a path inside it.
    QString Home() const;
    QString Path(const QString& relative) const;
    // Writes a file inside the home folder (folders created as needed).
    void WriteFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& relative) const;

    CScriptedUserInterface ui;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
