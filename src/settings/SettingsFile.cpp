#include "settings/SettingsFile.h"

#include "base/Limits.h"
#include "base/Numbers.h"

#include <filesystem>

namespace splot {

std::string settingsFilePath(const std::string& executablePath) {
    if (executablePath.empty())
        return std::string();
    std::filesystem::path p(executablePath);
    p.replace_extension(".ini");
    return p.string();
}

bool sectionSelected(const std::string& selector, std::string_view section) {
    return selector == "all" || selector == section;
}

void readSettings(const IniFile& ini, const std::string& selector, SplotState& state,
                  SettingsReadResult& result) {
    for (std::string_view section : settingsSections) {
        if (!sectionSelected(selector, section))
            continue;
        for (const SettingKey& k : settingsKeys()) {
            if (k.section != section)
                continue;
            int v = k.type == SettingType::Flag
                        ? (ini.readFlag(k.section, k.key, k.defaultValue != 0) ? 1 : 0)
                        : ini.readInteger(k.section, k.key, k.defaultValue);
            if (k.clamped)
                v = clampInt(v, k.low, k.high);
            k.set(state, v);
        }
        if (section == "image") {
            PaintingState& p = state.paint;
            if (p.imageHeight < 1 || p.imageHeight > maxImageHeight) {
                result.messages.emplace_back(imageHeightMessage);
                p.imageHeight = 600;
            }
            if (p.imageWidth < 1 || p.imageWidth > maxImageWidth) {
                result.messages.emplace_back(imageWidthMessage);
                p.imageWidth = 600;
            }
        }
        if (section == "main")
            result.mainRead = true;
    }
}

void writeSettings(IniFile& ini, const std::string& selector, const SplotState& state) {
    for (std::string_view section : settingsSections) {
        if (!sectionSelected(selector, section))
            continue;
        for (const SettingKey* k : settingsKeysInWriteOrder(section)) {
            const int v = k->get(state);
            if (k->type == SettingType::Flag)
                ini.writeFlag(k->section, k->key, v != 0);
            else
                ini.writeInteger(k->section, k->key, v);
        }
    }
}

SettingsReadResult readSettingsFile(const std::string& path, const std::string& selector, SplotState& state) {
    SettingsReadResult result;
    readSettings(IniFile::load(path), selector, state, result);
    return result;
}

std::optional<std::string> writeSettingsFile(const std::string& path, const std::string& selector,
                                             const SplotState& state) {
    return writeSettingsFile(path, std::span<const std::string>(&selector, 1), state);
}

std::optional<std::string> writeSettingsFile(const std::string& path, std::span<const std::string> selectors,
                                             const SplotState& state) {
    IniFile ini = IniFile::load(path);
    if (!ini.loadFailed()) {
        for (const std::string& selector : selectors)
            writeSettings(ini, selector, state);
        if (ini.save(path))
            return std::nullopt;
    }
    return "Unable to write to " + path;
}

bool mayQuitAfterSettingsWrite(Prompts& prompts, const std::optional<std::string>& writeError) {
    if (!writeError)
        return true;
    prompts.error(*writeError);
    return prompts.warning(quitWithoutSettingsQuestion, Buttons::YesNo) == Answer::Yes;
}

} // namespace splot
