#pragma once
// A program folder of its own for every test, with an empty "modules" folder, fake services and a
// fresh vertical view window and module table.

#include "ModuleFileBuilder.h"
#include "core/ModuleRecord.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/FakeServices.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ModuleFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("modules"));
        svc->programFolder = dir.path();
        UnloadPrincipale();
        ClearModuleTable();
    }
    void TearDown() override
    {
        UnloadPrincipale();
        ClearModuleTable();
    }

    QString modulePath(const QString& name) const { return dir.path() + "/modules/" + name; }
    void write(const QString& name, const std::string& text) const { modtest::WriteModuleFile(modulePath(name), text); }
    void write(const QString& name, const modtest::ModuleSpec& spec) const { write(name, spec.Text()); }

    static modtest::ModuleSpec module(int code, const std::string& model)
    {
        modtest::ModuleSpec s;
        s.code = std::to_string(code);
        s.model = model;
        return s;
    }

    QString corruptMessage(const QString& name) const
    {
        return "Unable to Open: " + modulePath(name) + "\rFile corrupted or incompatible!";
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& m : svc.fake.messages)
            texts << m.text;
        return texts;
    }

    static QStringList typeList(int row = 0)
    {
        QStringList items;
        const ComboList& list = Principale().Tipo[row];
        for (int i = 0; i < list.ListCount(); ++i)
            items << list.List(i);
        return items;
    }

    ScopedFakeServices svc;
    QTemporaryDir dir;
};
