#include "host/services/pesquisa_lista.h"

#include <algorithm>
#include <unordered_set>

#include "host/core/exception.h"
#include "host/data/data_source.h"
#include "host/data/dataset.h"
#include "host/services/dataset_rows.h"
#include "host/services/mens_erro.h"
#include "host/ui/application.h"
#include "host/ui/dialog_opener.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"

namespace hostfw {

std::vector<std::string> SelectionListKeys(const std::string& list) {
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            keys.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return keys;
}

std::string MakeSelectionList(const std::vector<std::string>& keys) {
    if (keys.empty())
        return {};
    std::string list = ",";
    for (const std::string& key : keys)
        list += key + ",";
    return list;
}

void PesquisaLista(TDataSource* dataSource, const std::string& keyField, const std::string& title,
                   bool /*flag*/, std::string& list) {
    if (dataSource == nullptr || dataSource->DataSet() == nullptr) {
        throw Exception("A pesquisa não tem um conjunto de dados.");
    }
    const DataSetRows rows(*dataSource->DataSet(), keyField);
    ListPickRequest request;
    const size_t bar = title.find('|');
    request.title = title.substr(0, bar);
    if (bar != std::string::npos)
        request.hint = title.substr(bar + 1);
    request.rows = &rows;
    const std::vector<std::string> keys = SelectionListKeys(list);
    if (!keys.empty()) {
        const std::unordered_set<std::string> current(keys.begin(), keys.end());
        request.marked.resize(rows.RowCount());
        for (size_t row = 0; row < rows.RowCount(); ++row)
            request.marked[row] = current.contains(rows.Key(row));
    }

    TApplication& application = HostContextOf(*dataSource).Application();
    const std::optional<std::vector<size_t>> answer = application.Dialogs().PickList(request);
    if (!answer)
        return;

    std::vector<size_t> chosenRows = *answer;
    std::sort(chosenRows.begin(), chosenRows.end());
    chosenRows.erase(std::unique(chosenRows.begin(), chosenRows.end()), chosenRows.end());
    std::vector<std::string> chosen;
    for (size_t row : chosenRows) {
        if (row >= rows.KnownRowCount())
            throw Exception("Linha escolhida fora da lista.");
        const std::string key = rows.Key(row);
        if (key.find(',') != std::string::npos) {
            MensErro(*dataSource,
                     "A chave \"" + key + "\" contém uma vírgula e não pode entrar na lista.",
                     true);
        }
        chosen.push_back(key);
    }
    list = MakeSelectionList(chosen);
    KeepPickedKeys(application, chosen);
}

}  // namespace hostfw
