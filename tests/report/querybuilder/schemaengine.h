// A query-builder engine over a fixed schema held in memory: table names
// with their fields, in the order a database would report them.
#pragma once

#include "report/querybuilder/tqbengine.h"

#include <QMap>

class SchemaEngine : public bralvo::report::TqbEngine {
public:
    SchemaEngine()
    {
        m_tables[QStringLiteral("Customer")] = {QStringLiteral("CustNo"), QStringLiteral("Company"),
                                                QStringLiteral("Name")};
        m_tables[QStringLiteral("Orders")] = {QStringLiteral("OrderNo"), QStringLiteral("CustNo"),
                                              QStringLiteral("AmountPaid"), QStringLiteral("Order Date"),
                                              QStringLiteral("Total"), QStringLiteral("EmpNo")};
        m_tables[QStringLiteral("Employee")] = {QStringLiteral("EmpNo"), QStringLiteral("LastName")};
        m_tables[QStringLiteral("Order Details")] = {QStringLiteral("OrderNo"), QStringLiteral("Qty")};
    }
    void ReadFieldList(const QString &tableName, QList<bralvo::report::TqbField> &list) override
    {
        list.clear();
        list.append({QStringLiteral("*"), 0});
        for (const QString &f : m_tables.value(tableName))
            list.append({f, 1});
    }
    void ReadTableList(QStringList &list) override { list = m_tables.keys(); }
    void SetSQL(const QString &text) override { lastSql = text; }

    QMap<QString, QStringList> m_tables;
    QString lastSql;
};
