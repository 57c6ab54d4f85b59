#include "host/HostModelPrinter.h"

const std::vector<HostModelPrinter>& HostModelPrinter::All() {
    static const std::vector<HostModelPrinter> models{
        {"qvcolor", u"QV ColorLaser 4600", "QVCOLOR.QVD"},
        {"qvmono", u"QV MonoLaser 2300", "QVMONO.QVD"},
        {"qvcolorps", u"QV ColorLaser 4600 PS", "QVCOLORPS.QVD"},
    };
    return models;
}

const HostModelPrinter* HostModelPrinter::Find(const std::string& key) {
    for (const HostModelPrinter& model : All())
        if (model.key == key) return &model;
    return nullptr;
}
