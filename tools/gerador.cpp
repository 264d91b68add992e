// Sample-data generator: writes an active-taxpayer archive (AT...zip) and a return archive
// (RT...zip) of a fictional state in the formats the capture reads, the same for the same seed.
//   gerador --out DIR [--seed N] [--municipios N] [--contribuintes N] [--ano AAAA]
// "contribuintes" is per municipality; about 85% of them deliver a declaration.

#include "capture/zipengine.h"
#include "shell/win1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdio>

namespace {

class Linha
{
public:
    explicit Linha(int n) : m_l(n, u' ') {}
    Linha &poe(int pos, const QString &v)
    {
        if (m_l.size() < pos - 1 + v.size())
            m_l.resize(pos - 1 + v.size(), u' ');
        m_l.replace(pos - 1, v.size(), v);
        return *this;
    }
    QString texto() const { return m_l; }

private:
    QString m_l;
};

QString num(qint64 v, int largura) { return QStringLiteral("%1").arg(v, largura, 10, QLatin1Char('0')); }
QString valor(double v) { return QString::number(v, 'f', 2).replace(u'.', u',').rightJustified(15, u'0'); }
QString valorPonto(double v) { return QString::number(v, 'f', 2).rightJustified(15, u'0'); }

const QStringList kNomes = {"MERCADO", "PADARIA", "FARMÁCIA", "AÇOUGUE", "POSTO", "MATERIAIS DE CONSTRUÇÃO", "RESTAURANTE",
                            "TRANSPORTES", "LATICÍNIOS", "CONFECÇÕES", "AUTO PEÇAS", "DISTRIBUIDORA", "PAPELARIA", "SUPERMERCADO"};
const QStringList kSobrenomes = {"SÃO JOÃO", "BOA VISTA", "DO CENTRO", "SILVA", "OLIVEIRA", "SANTOS", "PEREIRA", "ALMEIDA",
                                 "NOVA ERA", "ESPERANÇA", "DAS FLORES", "CONCEIÇÃO", "IPÊ", "VALE VERDE"};
const QStringList kRuas = {"DAS ACÁCIAS", "SETE DE SETEMBRO", "TIRADENTES", "DOM PEDRO II", "DAS PALMEIRAS", "SANTOS DUMONT",
                           "BARÃO DO RIO BRANCO", "JOÃO PESSOA", "DA CONCEIÇÃO", "QUINZE DE NOVEMBRO"};
const QStringList kCnae = {"4711302", "4712100", "4721102", "4731800", "4744005", "5611201", "4930202", "0151201", "1052000",
                           "4771701"};

struct Gerador
{
    QRandomGenerator r;
    int municipios, porMunicipio, ano;

    QString escolhe(const QStringList &l) { return l.at(int(r.bounded(l.size()))); }
    double quantia(double max) { return r.bounded(max * 100) / 100.0; }
    QString nome() { return escolhe(kNomes) + u' ' + escolhe(kSobrenomes) + QStringLiteral(" LTDA"); }

    QStringList ativos()
    {
        QStringList l;
        for (int m = 1; m <= municipios; ++m)
            for (int i = 0; i < porMunicipio; ++i) {
                const qint64 id = qint64(m) * 1000000 + i;
                Linha x(716);
                x.poe(1, num(id, 13)).poe(14, QStringLiteral("VP")).poe(16, nome().leftJustified(60).left(60));
                x.poe(76, QStringLiteral("RU")).poe(82, escolhe(kRuas).leftJustified(50)).poe(232, num(r.bounded(2000), 5));
                x.poe(242, QStringLiteral("RUA")).poe(245, QStringLiteral("CENTRO").leftJustified(34));
                x.poe(293, num(r.bounded(999999), 6)).poe(299, QStringLiteral("VP")).poe(301, num(r.bounded(99999999), 11));
                x.poe(326, QStringLiteral("ESCRITÓRIO CONTÁBIL ") + escolhe(kSobrenomes));
                x.poe(442, QStringLiteral("31")).poe(444, num(r.bounded(99999999), 9));
                x.poe(461, valorPonto(quantia(5e6))).poe(476, r.bounded(10) < 3 ? QStringLiteral("58") : QStringLiteral("01"));
                x.poe(488, valorPonto(quantia(1e5))).poe(510, num(30000000 + m, 7)).poe(517, num(m, 3));
                x.poe(520, escolhe(kCnae)).poe(527, QStringLiteral("00")).poe(540, QStringLiteral("VP"));
                x.poe(600, QStringLiteral("CENTRO")).poe(620, QStringLiteral("contato%1@empresa.com.br").arg(id));
                x.poe(673, valorPonto(quantia(5e6))).poe(688, valorPonto(quantia(6e6))).poe(703, num(10000000000000LL + id, 14));
                l << x.texto();
            }
        return l;
    }

    QStringList retorno()
    {
        QStringList l;
        const QString data = QStringLiteral("1503%1").arg(ano + 1);
        for (int m = 1; m <= municipios; ++m) {
            const QString mc = num(m, 3);
            for (int i = 0; i < porMunicipio; ++i) {
                if (r.bounded(100) >= 85)
                    continue; // omitted: obliged taxpayer without a declaration
                const qint64 id = qint64(m) * 1000000 + i;
                const QString ie = num(id, 13);
                const bool simples = r.bounded(10) < 3;
                const QString regime = simples ? QStringLiteral("58") : QStringLiteral("01");
                const double saidas = quantia(5e6), entradas = quantia(saidas), vaf = saidas - entradas;
                auto cab = [&](const char *t) { return Linha(18).poe(1, QLatin1String(t)).poe(3, mc).poe(6, ie); };
                l << cab("0A").poe(19, (QStringLiteral("RUA ") + escolhe(kRuas)).leftJustified(50)).poe(69, QStringLiteral("CENTRO"))
                         .poe(153, mc).texto();
                l << cab("0B").poe(19, QStringLiteral("AV. BRASIL 100")).poe(97, QStringLiteral("CAPITAL")).poe(127, QStringLiteral("VP"))
                         .texto();
                l << cab("01").poe(19, QString::number(ano)).poe(23, nome().left(35).leftJustified(35)).poe(58, data)
                         .poe(66, QStringLiteral("101500")).poe(72, data).poe(80, data).poe(88, QStringLiteral("1"))
                         .poe(89, QStringLiteral("2")).poe(94, num(id, 20)).poe(116, escolhe(kCnae)).poe(123, QStringLiteral("00"))
                         .poe(159, QStringLiteral("000")).poe(162, regime).texto();
                l << cab("02").poe(19, QStringLiteral("JOSÉ CONTADOR")).poe(103, valor(entradas * 0.9)).poe(118, valor(saidas * 0.9))
                         .poe(133, valor(0)).poe(148, valor(vaf * 0.9)).texto();
                if (!simples) {
                    l << cab("03").poe(19, QStringLiteral("018")).poe(22, valor(saidas)).texto();
                    l << cab("03").poe(19, QStringLiteral("022")).poe(22, valor(entradas)).texto();
                    l << cab("04").poe(19, QStringLiteral("044")).poe(22, valor(quantia(1e5))).poe(37, valor(quantia(1e5))).texto();
                    l << cab("06").poe(19, QStringLiteral("404")).poe(22, valor(quantia(1e4))).poe(37, valor(quantia(1e4))).texto();
                    l << cab("09").poe(20, QStringLiteral("055")).poe(23, valor(entradas)).poe(38, valor(entradas)).poe(53, valor(entradas * 0.18)).texto();
                    l << cab("09").poe(20, QStringLiteral("151")).poe(23, valor(saidas)).poe(38, valor(saidas)).poe(53, valor(saidas * 0.18)).texto();
                    l << cab("07").poe(19, valor(saidas)).poe(34, valor(entradas)).poe(49, valor(0)).poe(64, valor(vaf)).poe(79, regime).texto();
                } else {
                    l << cab("14").poe(19, mc).poe(22, valor(quantia(1e4))).poe(37, mc).poe(40, num(id, 14)).texto();
                    l << cab("25").poe(19, QString(valor(saidas)).right(13)).poe(32, num(0, 13)).poe(45, num(0, 13))
                             .poe(58, num(0, 13)).poe(71, num(0, 13)).poe(84, num(0, 13)).poe(97, num(0, 13)).poe(110, num(0, 13))
                             .poe(123, num(0, 13)).poe(136, num(0, 13)).texto();
                    l << (cab("23").poe(19, mc).poe(22, valor(saidas)).poe(37, valor(vaf)).poe(52, valor(0)).poe(67, QStringLiteral("0000"))).texto();
                }
                l << cab("08").poe(19, mc).poe(22, valor(vaf)).poe(37, QStringLiteral("08")).poe(39, QStringLiteral("10000"))
                         .poe(44, valor(vaf)).texto();
                // most are accepted at once; some are refused first and delivered again
                const bool recusada = r.bounded(100) < 12;
                auto evento = [&](const QString &erros) {
                    return cab("10").poe(19, QString::number(ano)).poe(23, data).poe(31, QStringLiteral("101500")).poe(37, data)
                        .poe(45, QStringLiteral("1")).poe(46, num(id, 20)).poe(66, regime).poe(68, QStringLiteral("2"))
                        .poe(69, QStringLiteral("N")).poe(70, valorPonto(entradas)).poe(85, valorPonto(0)).poe(100, valorPonto(saidas))
                        .poe(115, valorPonto(vaf)).poe(130, num(id, 14)).poe(144, erros).poe(159, QStringLiteral("VALIDADA"))
                        .poe(184, regime).texto();
                };
                l << evento(recusada ? QStringLiteral("0300%10000").arg(r.bounded(2) ? QStringLiteral("06") : QStringLiteral("00"))
                                     : QStringLiteral("0000000000"));
                if (recusada && r.bounded(2))
                    l << evento(QStringLiteral("0000000000"));
            }
            // the municipality's VAF and index
            const QString zeros = QStringLiteral("0000000000000");
            l << Linha(18).poe(1, QStringLiteral("16")).poe(3, mc).poe(6, zeros).poe(19, valor(quantia(1e8))).poe(34, valor(0))
                     .poe(49, valor(0)).poe(64, valor(0)).poe(79, valor(0)).poe(94, valor(0)).poe(109, valor(0)).poe(124, valor(quantia(1e8)))
                     .poe(139, QStringLiteral("00%1").arg(r.bounded(9999999), 7, 10, QLatin1Char('0'))).poe(148, QStringLiteral("0") + valor(5e9))
                     .poe(164, valor(0)).poe(179, valor(0)).texto();
            l << Linha(18).poe(1, QStringLiteral("99")).poe(3, mc).poe(6, zeros).poe(19, num(porMunicipio, 9))
                     .poe(28, QStringLiteral("0") + valor(quantia(1e8))).poe(44, QStringLiteral("01/01/%1").arg(ano))
                     .poe(54, QStringLiteral("31/12/%1").arg(ano)).texto();
        }
        return l;
    }
};

void gravaZip(const QString &zip, const QString &txt, const QStringList &linhas)
{
    QFile f(txt);
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write");
    for (const QString &l : linhas)
        f.write(Win1252::encode(l) + "\r\n");
    f.close();
    QFile::remove(zip);
    ZipEngine().adiciona(zip, txt);
    QFile::remove(txt);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString saida = QStringLiteral(".");
    quint32 semente = 1;
    int municipios = 10, contribuintes = 200, ano = 2023;
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == QLatin1String("--out")) saida = a[i + 1];
        else if (a[i] == QLatin1String("--seed")) semente = a[i + 1].toUInt();
        else if (a[i] == QLatin1String("--municipios")) municipios = std::clamp(a[i + 1].toInt(), 1, 50);
        else if (a[i] == QLatin1String("--contribuintes")) contribuintes = std::max(1, a[i + 1].toInt());
        else if (a[i] == QLatin1String("--ano")) ano = a[i + 1].toInt();
    }
    QDir().mkpath(saida);
    Gerador g{QRandomGenerator(semente), municipios, contribuintes, ano};
    const QString sufixo = QString::number(ano + 1).right(2);
    const QString at = QDir(saida).filePath(QStringLiteral("AT00%1.zip").arg(sufixo));
    const QString rt = QDir(saida).filePath(QStringLiteral("RT00%1.zip").arg(sufixo));
    const QStringList ativos = g.ativos();
    gravaZip(at, QDir(saida).filePath(QStringLiteral("PT00%1.txt").arg(sufixo)), ativos);
    const QStringList retorno = g.retorno();
    gravaZip(rt, QDir(saida).filePath(QStringLiteral("PT00%1.txt").arg(sufixo)), retorno);
    std::printf("%s (%lld linhas)\n%s (%lld linhas)\n", at.toUtf8().constData(), qint64(ativos.size()),
                rt.toUtf8().constData(), qint64(retorno.size()));
    return 0;
}
