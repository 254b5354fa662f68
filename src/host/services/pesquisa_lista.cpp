#include "host/services/pesquisa_lista.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/data/data_source.h"
#include "host/data/dataset.h"
#include "host/services/mens_erro.h"
#include "host/services/row_grid.h"
#include "host/ui/application.h"
#include "host/ui/host_ui.h"

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
    ListPickRequest request;
    const size_t bar = title.find('|');
    request.title = title.substr(0, bar);
    if (bar != std::string::npos)
        request.hint = title.substr(bar + 1);
    request.grid = BuildRowGrid(*dataSource->DataSet(), keyField, request.keys);
    const std::vector<std::string> current = SelectionListKeys(list);
    for (const std::string& key : request.keys) {
        request.marked.push_back(std::find(current.begin(), current.end(), key) != current.end());
    }

    const std::optional<std::vector<size_t>> answer = Application().Ui().PickList(request);
    if (!answer)
        return;

    std::vector<size_t> rows = *answer;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> chosen;
    for (size_t row : rows) {
        if (row >= request.keys.size())
            throw Exception("Linha escolhida fora da lista.");
        const std::string& key = request.keys[row];
        if (key.find(',') != std::string::npos) {
            MensErro("A chave \"" + key + "\" contém uma vírgula e não pode entrar na lista.",
                     true);
        }
        chosen.push_back(key);
    }
    list = MakeSelectionList(chosen);
}

}  // namespace hostfw
