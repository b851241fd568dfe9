// The commission estimate: the rate chosen and the amount typed give the agency's commission and
// the referrer's share, worked out as the rates table above states them.
(function () {
    "use strict";

    function money(value) {
        return value.toLocaleString("zh-CN", { minimumFractionDigits: 2, maximumFractionDigits: 2 });
    }

    window.initRateCalculator = function () {
        var form = document.getElementById("calculator");
        if (!form)
            return;
        var business = form.elements.namedItem("business");
        var amount = form.elements.namedItem("amount");
        var unit = document.getElementById("amountUnit");
        var estimate = document.getElementById("estimate");

        function update() {
            var rate = business.options[business.selectedIndex].dataset;
            unit.textContent = rate.unit;
            var value = parseFloat(amount.value);
            if (!(value > 0)) {
                estimate.textContent = "请输入" + rate.basis;
                return;
            }
            var commission = value * Number(rate.factor) * Number(rate.commission) / 100;
            var rebate = commission * Number(rate.rebate) / 100;
            estimate.textContent = "预估佣金 " + money(commission) + " 元，推介人可得返佣 " + money(rebate) + " 元";
        }

        business.addEventListener("change", update);
        amount.addEventListener("input", update);
        form.addEventListener("submit", function (event) {
            event.preventDefault();
            update();
        });
        update();
    };
})();
