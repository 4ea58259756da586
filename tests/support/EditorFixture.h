#pragma once
// An editor as a user meets it, on the offscreen platform: a program directory of its own,
// the settings read from it, the main window, and a scripted platform for every modal call.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "model/Database.h"
#include "shell/AppState.h"
#include "shell/Application.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "text/Messages.h"

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        InitShellResources();
        MakePortable(dir);
        InitializeEditor(dir.path());
        window = CreateEditorWindow();
    }
    void TearDown() override {
        window.reset();
        ResetAppState();
        InstallMessageSink(nullptr);
    }

    // A database file in the test's directory, saved from what fill puts into a database.
    template <class F> std::string makeDatabase(const std::string& name, F fill) {
        cDatabase db;
        fill(db);
        std::string path = dir.file(name);
        db.path.assign(path.c_str());
        EXPECT_EQ(db.save(), 0);
        return path;
    }

    cTempDir dir;
    cScriptedPlatform platform;
    std::unique_ptr<cMainWindow> window;
};
