// State-size capture benchmark. Generates a state's pair of archives with the sample-data
// generator, captures both headless through the capture flow and reports, for each step, the time,
// lines and rows per second and the peak memory. In the same run it measures the engine's own
// speed: the same number of rows of the same tables inserted by a bare loop (one prepared
// statement per table, a commit every 10,000 rows, no parsing; the rows bound are stored rows of
// the capture, cycled, so that they have the capture's sizes), and prints each import's
// throughput as a ratio to it. A quarter-size state is captured before and after the whole one,
// to show how time and memory grow with the file (the faster quarter counts: the machine's other
// work only ever slows a run down).
//   bench_captura [--contribuintes N] [--entrega P] [--pasta DIR] [--sem-quarto]
// N is the whole state's taxpayers (default 200000, in 50 municipalities); P the percentage that
// deliver a declaration (default 50, about 100,000 declarations and two million return lines).

#include "capture/capturaarquivos.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "homebenchmark.h"
#include "shell/scriptedui.h"
#include "shell/zipengine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int kMunicipios = 50;

// Samples the resident memory every 20 ms and keeps the peak since the last reset.
class Memoria
{
  public:
    Memoria()
        : m_thread([this] {
              while (!m_fim) {
                  const qint64 atual = residente();
                  qint64 pico = m_pico;
                  while (atual > pico && !m_pico.compare_exchange_weak(pico, atual)) {
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~Memoria()
    {
        m_fim = true;
        m_thread.join();
    }
    static qint64 residente()
    {
        QFile f(QStringLiteral("/proc/self/statm"));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> campos = f.readAll().split(' ');
        return campos.size() > 1 ? campos[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
    }
    // The peak since the last reset; starts a new one from the memory in use now.
    qint64 reinicia() { return m_pico.exchange(residente()); }

  private:
    std::atomic<qint64> m_pico{0};
    std::atomic<bool> m_fim{false};
    std::thread m_thread;
};

struct Etapa {
    double segundos = 0, cpu = 0;
    qint64 picoBytes = 0;
    qint64 inicioBytes = 0; // resident memory when the step began: the peak above it is the step's own
};

// Processor time of the whole process (engine threads included), in seconds.
double tempoCpu()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Captura {
    qint64 linhas = 0, bytes = 0;
    std::map<int, Etapa> etapas;
    std::map<QString, qint64> linhasPorTabela; // rows each table gained
    bool ok = false;
};

const char *const kNomesEtapas[] = {"descompactação", "verificação", "importação", "resumo",
                                    "atualizações finais"};

std::map<QString, qint64> contaTabelas(const QSqlDatabase &db)
{
    std::map<QString, qint64> r;
    QStringList tabelas;
    QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE "
                                                "RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL"));
    while (q.next())
        tabelas << q.value(0).toString().trimmed();
    for (const QString &t : tabelas) {
        QSqlQuery c = ExecutaSql(db, QStringLiteral("SELECT COUNT(*) FROM ") + t);
        r[t] = c.next() ? c.value(0).toLongLong() : 0;
    }
    return r;
}

qint64 linhasDoArquivo(const QString &zip, qint64 *bytes)
{
    QTemporaryDir d;
    ZipEngine().extrai(zip, d.path());
    const QStringList arquivos = QDir(d.path()).entryList(QDir::Files);
    QFile f(d.filePath(arquivos.value(0)));
    f.open(QIODevice::ReadOnly);
    *bytes = f.size();
    qint64 n = 0;
    char buf[1 << 16];
    for (qint64 lidos; (lidos = f.read(buf, sizeof buf)) > 0;)
        n += std::count(buf, buf + lidos, '\n');
    return n;
}

Captura captura(TdmPrincipal &dm, ScriptedUi &ui, Memoria &mem, int tipo, const QString &zip)
{
    Captura r;
    r.linhas = linhasDoArquivo(zip, &r.bytes);
    const auto antes = contaTabelas(dm.MainConnection());
    CapturaArquivos c(dm, ui);
    c.abre();
    QElapsedTimer t;
    double cpu = 0;
    int atual = -1;
    c.aoIniciarFase = [&](CapturaArquivos::Fase f) {
        if (atual >= 0) {
            r.etapas[atual].segundos += t.nsecsElapsed() / 1e9;
            r.etapas[atual].cpu += tempoCpu() - cpu;
            r.etapas[atual].picoBytes = std::max(r.etapas[atual].picoBytes, mem.reinicia());
        } else {
            mem.reinicia();
        }
        atual = f == CapturaArquivos::Fim ? -1 : int(f);
        if (atual >= 0 && !r.etapas[atual].inicioBytes)
            r.etapas[atual].inicioBytes = Memoria::residente();
        cpu = tempoCpu();
        t.start();
    };
    r.ok = c.Captura(tipo, zip);
    c.aoIniciarFase = nullptr;
    c.fecha();
    if (!r.ok)
        std::fprintf(stderr, "a captura falhou: %s\n", ui.textos().join(u'\n').toUtf8().constData());
    for (const auto &[tabela, n] : contaTabelas(dm.MainConnection()))
        if (n != antes.at(tabela))
            r.linhasPorTabela[tabela] = n - antes.at(tabela);
    return r;
}

struct Estado {
    Captura ativos, retorno;
    // stored rows of each table, for the bare loop: it writes rows of the same sizes as the capture's
    std::map<QString, std::vector<QVariantList>> amostras;
    std::map<QString, QStringList> colunas;
};

Estado capturaEstado(const QString &pasta, int contribuintes, int entrega, Memoria &mem)
{
    const QString arquivos = pasta + QStringLiteral("/arquivos");
    QProcess gerador;
    gerador.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gerador"),
                  {QStringLiteral("--out"), arquivos, QStringLiteral("--municipios"),
                   QString::number(kMunicipios), QStringLiteral("--contribuintes"),
                   QString::number(contribuintes / kMunicipios), QStringLiteral("--entrega"),
                   QString::number(entrega)});
    if (!gerador.waitForFinished(-1) || gerador.exitCode() != 0) {
        std::fprintf(stderr, "o gerador falhou: %s\n", gerador.readAllStandardError().constData());
        std::exit(1);
    }
    preparaHomeDeBenchmark(pasta + QStringLiteral("/home"));
    Estado e;
    ScriptedUi ui;
    ui.setRespostaPadrao(UserInterface::Sim);
    TdmPrincipal dm(ui);
    dm.Inicia();
    e.ativos = captura(dm, ui, mem, CapturaArquivos::Ativos, arquivos + QStringLiteral("/AT0024.zip"));
    e.retorno = captura(dm, ui, mem, CapturaArquivos::Retorno, arquivos + QStringLiteral("/RT0024.zip"));
    for (const auto *c : {&e.ativos, &e.retorno})
        for (const auto &[tabela, n] : c->linhasPorTabela) {
            QSqlQuery q =
                ExecutaSql(dm.MainConnection(), QStringLiteral("SELECT FIRST 2000 * FROM ") + tabela);
            const QSqlRecord registro = q.record();
            QStringList nomes;
            for (int i = 0; i < registro.count(); ++i)
                nomes << registro.fieldName(i);
            std::vector<QVariantList> linhas;
            while (q.next()) {
                QVariantList valores;
                for (int i = 0; i < nomes.size(); ++i)
                    valores << q.value(i);
                linhas.push_back(std::move(valores));
            }
            if (linhas.empty())
                continue;
            e.amostras[tabela] = std::move(linhas);
            e.colunas[tabela] = nomes;
        }
    return e;
}

struct Medida {
    double segundos = 0, cpu = 0;
};

// The engine's own speed: the rows of each table inserted by a bare loop.
Medida linhaDeBase(const QString &pasta, const Estado &e, const Captura &c)
{
    preparaHomeDeBenchmark(pasta);
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    dm.HabilitaIndices(false); // as during a capture
    QElapsedTimer t;
    qint64 ns = 0;
    double cpu = 0;
    for (const auto &[tabela, n] : c.linhasPorTabela) {
        if (!e.amostras.count(tabela) || tabela == QLatin1String("MUNIC_RESUMO"))
            continue;
        const QStringList &nomes = e.colunas.at(tabela);
        QStringList parametros;
        for (const QString &nome : nomes)
            parametros << u':' + nome;
        const double cpu0 = tempoCpu();
        t.start();
        {
            TransacaoEmLote tx(dm.MainConnection());
            InsercaoEmLote ins(tx, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(tabela, nomes.join(u','), parametros.join(u',')));
            const std::vector<QVariantList> &linhas = e.amostras.at(tabela);
            // keys vary as they do in the captured rows
            const int chave =
                nomes.indexOf(QStringLiteral("DEC_ID")) >= 0 ? nomes.indexOf(QStringLiteral("DEC_ID"))
                : nomes.indexOf(QStringLiteral("IE")) >= 0   ? nomes.indexOf(QStringLiteral("IE"))
                                                             : nomes.indexOf(QStringLiteral("MUNIC_CODIGO"));
            const bool numerica = chave >= 0 && nomes.at(chave) == QLatin1String("DEC_ID");
            for (qint64 i = 0; i < n; ++i) {
                const QVariantList &valores = linhas[size_t(i) % linhas.size()];
                for (int k = 0; k < nomes.size(); ++k)
                    ins.setValor(k, valores.at(k));
                if (numerica)
                    ins.setDouble(chave, double(i + 1));
                else if (chave >= 0 && nomes.at(chave) == QLatin1String("IE"))
                    ins.setTexto(chave, QStringLiteral("%1").arg(i + 1, 13, 10, QLatin1Char('0')));
                else if (chave >= 0) // a municipality code: three characters
                    ins.setTexto(chave, QStringLiteral("%1").arg((i + 1) % 1000, 3, 10, QLatin1Char('0')));
                ins.executa();
            }
            tx.conclui();
        }
        ns += t.nsecsElapsed();
        cpu += tempoCpu() - cpu0;
        if (qEnvironmentVariableIsSet("BENCH_DETALHES"))
            std::fprintf(stderr, "BASE %8.3f s %8lld x %s\n", t.nsecsElapsed() / 1e9, n,
                         tabela.toUtf8().constData());
    }
    return {ns / 1e9, cpu};
}

// The faster of two runs: the machine's other work slows a run down, never speeds it up.
Medida melhorLinhaDeBase(const QString &pasta, const Estado &e, const Captura &c)
{
    const Medida a = linhaDeBase(pasta + QStringLiteral("-1"), e, c);
    const Medida b = linhaDeBase(pasta + QStringLiteral("-2"), e, c);
    return a.segundos <= b.segundos ? a : b;
}

qint64 soma(const std::map<QString, qint64> &m)
{
    qint64 s = 0;
    for (const auto &[t, n] : m)
        if (t != QLatin1String("MUNIC_RESUMO"))
            s += n;
    return s;
}

void imprime(const char *nome, const Captura &c)
{
    std::printf("\n%s: %lld linhas, %.1f MB de texto, %lld registros gravados\n", nome, c.linhas,
                c.bytes / 1048576.0, soma(c.linhasPorTabela));
    std::printf("  %-22s %9s %9s %12s %12s %10s %10s\n", "etapa", "s", "cpu s", "linhas/s", "registros/s",
                "pico MB", "+MB");
    double total = 0;
    for (const auto &[f, etapa] : c.etapas) {
        qint64 registros = 0;
        if (f == CapturaArquivos::Importacao)
            registros = soma(c.linhasPorTabela);
        else if (f == CapturaArquivos::Resumo)
            registros = c.linhasPorTabela.count(QStringLiteral("MUNIC_RESUMO"))
                            ? c.linhasPorTabela.at(QStringLiteral("MUNIC_RESUMO"))
                            : 0;
        total += etapa.segundos;
        std::printf("  %-22s %9.2f %9.2f %12.0f %12s %10.0f %10.0f\n", kNomesEtapas[f], etapa.segundos,
                    etapa.cpu, c.linhas / etapa.segundos,
                    registros ? QByteArray::number(registros / etapa.segundos, 'f', 0).constData() : "-",
                    etapa.picoBytes / 1048576.0, (etapa.picoBytes - etapa.inicioBytes) / 1048576.0);
    }
    std::printf("  %-22s %9.2f %9s %12.0f\n", "total", total, "", c.linhas / total);
}

double importacao(const Captura &c)
{
    return c.etapas.count(CapturaArquivos::Importacao) ? c.etapas.at(CapturaArquivos::Importacao).segundos
                                                       : 0;
}

double cpuImportacao(const Captura &c)
{
    return c.etapas.count(CapturaArquivos::Importacao) ? c.etapas.at(CapturaArquivos::Importacao).cpu : 0;
}

// What the import itself added to the process's memory at its peak.
qint64 picoImportacao(const Captura &c)
{
    if (!c.etapas.count(CapturaArquivos::Importacao))
        return 0;
    const Etapa &e = c.etapas.at(CapturaArquivos::Importacao);
    return e.picoBytes - e.inicioBytes;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int contribuintes = 200000, entrega = 50;
    bool quarto = true;
    QString pasta;
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        if (a[i] == QLatin1String("--sem-quarto"))
            quarto = false;
        else if (a[i] == QLatin1String("--contribuintes") && i + 1 < a.size())
            contribuintes = a[++i].toInt();
        else if (a[i] == QLatin1String("--entrega") && i + 1 < a.size())
            entrega = a[++i].toInt();
        else if (a[i] == QLatin1String("--pasta") && i + 1 < a.size())
            pasta = a[++i];
        else {
            std::fprintf(
                stderr,
                "uso: bench_captura [--contribuintes N] [--entrega P] [--pasta DIR] [--sem-quarto]\n");
            return 2;
        }
    }
    QTemporaryDir temporaria;
    if (pasta.isEmpty())
        pasta = temporaria.path();
    Memoria mem;

    std::printf("estado de %d contribuintes em %d municípios, %d%% entregam\n", contribuintes, kMunicipios,
                entrega);
    std::fflush(stdout);
    Estado q1;
    if (quarto)
        q1 = capturaEstado(pasta + QStringLiteral("/quarto-1"), contribuintes / 4, entrega, mem);
    const Estado cheio = capturaEstado(pasta + QStringLiteral("/cheio"), contribuintes, entrega, mem);
    imprime("ativos", cheio.ativos);
    imprime("retorno", cheio.retorno);
    std::fflush(stdout);

    const Medida baseAtivos = melhorLinhaDeBase(pasta + QStringLiteral("/base-ativos"), cheio, cheio.ativos);
    const Medida baseRetorno =
        melhorLinhaDeBase(pasta + QStringLiteral("/base-retorno"), cheio, cheio.retorno);
    const qint64 regAtivos = soma(cheio.ativos.linhasPorTabela),
                 regRetorno = soma(cheio.retorno.linhasPorTabela);
    std::printf("\nlinha de base (API nativa, mesmas tabelas e quantidades)\n");
    std::printf("  ativos:  %lld registros em %.2f s (cpu %.2f s) = %.0f registros/s; importação %.0f "
                "registros/s = %.2f da "
                "linha de base\n",
                regAtivos, baseAtivos.segundos, baseAtivos.cpu, regAtivos / baseAtivos.segundos,
                regAtivos / importacao(cheio.ativos), baseAtivos.segundos / importacao(cheio.ativos));
    std::printf("  retorno: %lld registros em %.2f s (cpu %.2f s) = %.0f registros/s; importação %.0f "
                "registros/s = %.2f da "
                "linha de base\n",
                regRetorno, baseRetorno.segundos, baseRetorno.cpu, regRetorno / baseRetorno.segundos,
                regRetorno / importacao(cheio.retorno), baseRetorno.segundos / importacao(cheio.retorno));
    std::fflush(stdout);

    if (quarto) {
        const Estado q2 = capturaEstado(pasta + QStringLiteral("/quarto-2"), contribuintes / 4, entrega, mem);
        std::printf("\nlinearidade (o estado inteiro tem 4x o quarto de estado; quartos antes e depois, vale "
                    "o mais rápido)\n");
        auto linha = [&](const char *nome, const Captura &a, const Captura &b, const Captura &c) {
            const Captura &q = importacao(a) <= importacao(b) ? a : b;
            std::printf("  %-8s %lld -> %lld linhas, importação %.2f s (%.2f s) -> %.2f s = %.2fx; cpu %.2f "
                        "s -> %.2f s = "
                        "%.2fx; memória acrescida no pico %.0f MB -> %.0f MB\n",
                        nome, q.linhas, c.linhas, importacao(q), importacao(&q == &a ? b : a), importacao(c),
                        importacao(c) / importacao(q), cpuImportacao(q), cpuImportacao(c),
                        cpuImportacao(c) / cpuImportacao(q), picoImportacao(q) / 1048576.0,
                        picoImportacao(c) / 1048576.0);
        };
        linha("ativos:", q1.ativos, q2.ativos, cheio.ativos);
        linha("retorno:", q1.retorno, q2.retorno, cheio.retorno);
    }
    return cheio.ativos.ok && cheio.retorno.ok ? 0 : 1;
}
