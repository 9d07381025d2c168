#include "cli/Transcript.hpp"

#include "cli/JsonWriter.hpp"

namespace velmora::cli {
namespace {

bool IsMessageBox(const platform::PromptRecord& record)
{
    return record.kind == "message" || record.kind == "question";
}

void WriteMessages(JsonWriter& json, const std::vector<platform::PromptRecord>& prompts)
{
    json.Key("messages").BeginArray();
    for (const platform::PromptRecord& record : prompts) {
        if (IsMessageBox(record)) {
            json.BeginObject()
                .Key("prompt").String(record.prompt)
                .Key("style").Number(record.style)
                .Key("title").String(record.title)
                .EndObject();
        }
    }
    json.EndArray();
}

// The answers of one kind of prompt; a cancelled one is null.
void WriteAnswers(JsonWriter& json, const char* name, const char* kind,
                  const std::vector<platform::PromptRecord>& prompts)
{
    json.Key(name).BeginArray();
    for (const platform::PromptRecord& record : prompts) {
        if (record.kind != kind) {
            continue;
        }
        json.BeginObject().Key("prompt").String(record.prompt).Key("answer");
        if (record.answer.empty()) {
            json.Null();
        } else {
            json.String(record.answer);
        }
        json.Key("scripted").Bool(record.scripted);
        if (record.kind == "input") {
            json.Key("offered").String(record.offered);
        }
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

std::string TranscriptJson(const RunReport& report)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("command").String(report.command);
    json.Key("file").String(report.file.string());
    WriteMessages(json, report.prompts);
    json.Key("answers").BeginObject();
    WriteAnswers(json, "questions", "question", report.prompts);
    WriteAnswers(json, "inputs", "input", report.prompts);
    WriteAnswers(json, "files", "file", report.prompts);
    WriteAnswers(json, "colors", "color", report.prompts);
    json.EndObject();
    json.Key("filesWritten").BeginArray();
    for (const std::filesystem::path& file : report.filesWritten) {
        json.String(file.string());
    }
    json.EndArray();
    json.Key("opened").BeginArray();
    for (const std::string& address : report.opened) {
        json.String(address);
    }
    json.EndArray();
    json.Key("exitStatus").Number(report.exitStatus);
    if (report.error.empty()) {
        json.Key("error").Null();
    } else {
        json.Key("error").String(report.error);
    }
    json.EndObject();
    return json.Text();
}

}  // namespace velmora::cli
